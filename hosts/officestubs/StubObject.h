// The IDispatch plumbing shared by the stand-in automation servers: a member table per object,
// strict checks of call kind, argument count and argument types, the fail switch and the call log.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

namespace officestubs {

enum class CallKind { Get, Put, Method };

// What an argument must be. Any accepts every variant, omitted ones included.
enum class ArgType { Any, Bstr, Int, Bool, Float, Object };

struct Member {
    DISPID id;
    CallKind kind;
    const wchar_t* name;
    std::vector<ArgType> args; // for a put: the value
    bool newerOnly; // a member the older family of the application does not have
};

// Raised inside a member; Invoke turns it into its HRESULT (and EXCEPINFO for DISP_E_EXCEPTION).
struct StubError {
    HRESULT code;
    std::wstring description;
};

// The application's own complaint: DISP_E_EXCEPTION with a description.
[[noreturn]] void Raise(const std::wstring& description);

class StubObject;

// The arguments of one call in the caller's order, by-reference variants resolved.
class Args {
public:
    Args(const DISPPARAMS& params, size_t count);
    size_t Size() const { return m_values.size(); }
    const VARIANT& operator[](size_t i) const { return *m_values[i]; }
    bool Omitted(size_t i) const;
    std::wstring Text(size_t i) const;   // a VT_BSTR argument
    long Int(size_t i) const;            // VT_I4
    bool Bool(size_t i) const;           // VT_BOOL
    double Number(size_t i) const;       // any numeric variant
    StubObject* Object(size_t i) const;  // one of our own objects, else an error

private:
    std::vector<const VARIANT*> m_values;
};

class StubObject : public IDispatch {
public:
    explicit StubObject(const wchar_t* app);
    virtual ~StubObject() = default;
    StubObject(const StubObject&) = delete;
    StubObject& operator=(const StubObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

    // The object as the log names it, such as "Range[C5:E6]".
    virtual std::wstring Describe() const = 0;
    // The object's kind, as the fail switch names it, such as "Range".
    virtual const wchar_t* ClassName() const = 0;

    static StubObject* FromDispatch(IDispatch* dispatch);

protected:
    virtual const std::vector<Member>& Members() const = 0;
    virtual bool HasNewerMembers() const { return true; }
    virtual void Call(const Member& member, const Args& args, VARIANT* result) = 0;

    // Hands a new object (created with one reference) to the caller.
    static void ReturnObject(VARIANT* result, StubObject* object);

    const wchar_t* m_app;

private:
    LONG m_refs = 1;
};

std::wstring FormatVariant(const VARIANT& value);

// Holds one reference of a stand-in object.
template <class T> class StubRef {
public:
    explicit StubRef(T* object = nullptr) : m_object(object) {}
    ~StubRef() { if (m_object) m_object->Release(); }
    StubRef(const StubRef&) = delete;
    StubRef& operator=(const StubRef&) = delete;
    T* operator->() const { return m_object; }
    T* Detach() { T* o = m_object; m_object = nullptr; return o; }

private:
    T* m_object;
};

} // namespace officestubs
