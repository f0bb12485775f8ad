// Collection templates: CArray, CList and CMap, with their Serialize and the element helpers.
//
// CMap keeps the framework's hashed layout: a fixed table of buckets (17 by default) indexed by
// HashKey(key) % size, new entries at the head of their bucket's chain, and iteration by bucket
// and chain. That order reaches stored bytes, so it must not change.
#pragma once

#include "framework/AfxArchive.h"
#include "framework/AfxException.h"

#include <new>
#include <vector>

// ---- element helpers ----

// Default: the elements' bytes. A short read throws instead of leaving stale data.
template <class TYPE> void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if (nCount <= 0 || pElements == nullptr)
        return;
    ULONGLONG bytes = static_cast<ULONGLONG>(nCount) * sizeof(TYPE);
    if (bytes > 0x7FFFFFFF)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    if (ar.IsStoring())
        ar.Write(pElements, static_cast<UINT>(bytes));
    else
        ar.EnsureRead(pElements, static_cast<UINT>(bytes));
}

inline void AFXAPI SerializeElements(CArchive& ar, CString* pElements, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; ++i) {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            ar >> pElements[i];
    }
}

// The least number of stored bytes an element takes, to check counts read from an archive.
template <class TYPE> inline UINT AfxMinStoredSize(const TYPE*) { return sizeof(TYPE); }
inline UINT AfxMinStoredSize(const CString*) { return 1; }

template <class TYPE, class ARG_TYPE> BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

template <class ARG_KEY> inline UINT AFXAPI HashKey(ARG_KEY key)
{
    return static_cast<UINT>(static_cast<DWORD>(((DWORD_PTR)key) >> 4));
}

inline UINT AFXAPI HashKey(LPCWSTR key)
{
    UINT nHash = 0;
    if (key != nullptr) {
        while (*key)
            nHash = (nHash << 5) + nHash + *key++;
    }
    return nHash;
}

inline UINT AFXAPI HashKey(const CString& key)
{
    return HashKey(static_cast<LPCWSTR>(key));
}

// ---- CArray ----

template <class TYPE, class ARG_TYPE = const TYPE&> class CArray : public CObject
{
public:
    CArray() = default;
    ~CArray() override = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        if (nGrowBy >= 0)
            m_nGrowBy = nGrowBy;
        m_data.resize(static_cast<size_t>(nNewSize));
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[Checked(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
    TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        if (nIndex >= GetSize()) {
            TYPE copy = newElement;  // newElement may live in this array
            m_data.resize(static_cast<size_t>(nIndex) + 1);
            m_data[static_cast<size_t>(nIndex)] = copy;
        } else {
            m_data[static_cast<size_t>(nIndex)] = newElement;
        }
    }
    INT_PTR Add(ARG_TYPE newElement)
    {
        INT_PTR index = GetSize();
        SetAtGrow(index, newElement);
        return index;
    }
    INT_PTR Append(const CArray& src)
    {
        INT_PTR old = GetSize();
        std::vector<TYPE> copy(src.m_data);
        m_data.insert(m_data.end(), copy.begin(), copy.end());
        return old;
    }
    void Copy(const CArray& src)
    {
        if (this != &src)
            m_data = src.m_data;
    }
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0)
            AfxThrowInvalidArgException();
        TYPE copy = newElement;
        if (nIndex >= GetSize())
            m_data.resize(static_cast<size_t>(nIndex));
        m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), copy);
    }
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        if (pNewArray == nullptr || nStartIndex < 0)
            AfxThrowInvalidArgException();
        std::vector<TYPE> copy(pNewArray->m_data);
        if (nStartIndex >= GetSize())
            m_data.resize(static_cast<size_t>(nStartIndex));
        m_data.insert(m_data.begin() + nStartIndex, copy.begin(), copy.end());
    }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize())
            AfxThrowInvalidArgException();
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }

    void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteCount(m_data.size());
        } else {
            DWORD_PTR count = ar.ReadCount();
            ar.CheckLoadCount(count, AfxMinStoredSize(static_cast<const TYPE*>(nullptr)));
            m_data.clear();
            m_data.resize(static_cast<size_t>(count));
        }
        SerializeElements(ar, GetData(), GetSize());
    }

protected:
    size_t Checked(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetSize())
            AfxThrowInvalidArgException();
        return static_cast<size_t>(nIndex);
    }

    std::vector<TYPE> m_data;
    INT_PTR m_nGrowBy = 0;
};

// ---- CList ----

template <class TYPE, class ARG_TYPE = const TYPE&> class CList : public CObject
{
protected:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return Head()->data; }
    const TYPE& GetHead() const { return Head()->data; }
    TYPE& GetTail() { return Tail()->data; }
    const TYPE& GetTail() const { return Tail()->data; }

    TYPE RemoveHead()
    {
        CNode* node = Head();
        TYPE value = node->data;
        FreeNode(node);
        return value;
    }
    TYPE RemoveTail()
    {
        CNode* node = Tail();
        TYPE value = node->data;
        FreeNode(node);
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement) { return Link(NewNode(newElement), nullptr, m_pNodeHead); }
    POSITION AddTail(ARG_TYPE newElement) { return Link(NewNode(newElement), m_pNodeTail, nullptr); }
    void AddHead(CList* pNewList)
    {
        // Walk backwards so that the other list's order stays; a list may be added to itself.
        CNode* stop = pNewList->m_pNodeHead;
        for (CNode* node = pNewList->m_pNodeTail; node != nullptr; node = node->pPrev) {
            AddHead(node->data);
            if (node == stop)
                break;
        }
    }
    void AddTail(CList* pNewList)
    {
        CNode* stop = pNewList->m_pNodeTail;
        for (CNode* node = pNewList->m_pNodeHead; node != nullptr; node = node->pNext) {
            AddTail(node->data);
            if (node == stop)
                break;
        }
    }
    void RemoveAll()
    {
        CNode* node = m_pNodeHead;
        while (node != nullptr) {
            CNode* next = node->pNext;
            delete node;
            node = next;
        }
        m_pNodeHead = m_pNodeTail = nullptr;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pNodeHead); }
    POSITION GetTailPosition() const { return reinterpret_cast<POSITION>(m_pNodeTail); }
    TYPE& GetNext(POSITION& rPosition) { return Step(rPosition, true)->data; }
    const TYPE& GetNext(POSITION& rPosition) const { return Step(rPosition, true)->data; }
    TYPE& GetPrev(POSITION& rPosition) { return Step(rPosition, false)->data; }
    const TYPE& GetPrev(POSITION& rPosition) const { return Step(rPosition, false)->data; }
    TYPE& GetAt(POSITION position) { return Node(position)->data; }
    const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }
    void RemoveAt(POSITION position) { FreeNode(Node(position)); }
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        if (position == nullptr)
            return AddHead(newElement);
        CNode* old = Node(position);
        return Link(NewNode(newElement), old->pPrev, old);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        if (position == nullptr)
            return AddTail(newElement);
        CNode* old = Node(position);
        return Link(NewNode(newElement), old, old->pNext);
    }
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const
    {
        CNode* node = startAfter == nullptr ? m_pNodeHead : Node(startAfter)->pNext;
        for (; node != nullptr; node = node->pNext) {
            if (CompareElements(&node->data, &searchValue))
                return reinterpret_cast<POSITION>(node);
        }
        return nullptr;
    }
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return nullptr;
        CNode* node = m_pNodeHead;
        while (nIndex-- > 0)
            node = node->pNext;
        return reinterpret_cast<POSITION>(node);
    }

    void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
            for (CNode* node = m_pNodeHead; node != nullptr; node = node->pNext)
                SerializeElements(ar, &node->data, 1);
        } else {
            DWORD_PTR count = ar.ReadCount();
            ar.CheckLoadCount(count, AfxMinStoredSize(static_cast<const TYPE*>(nullptr)));
            while (count-- > 0) {
                TYPE newData[1] = {};
                SerializeElements(ar, newData, 1);
                AddTail(newData[0]);
            }
        }
    }

protected:
    static CNode* Node(POSITION position)
    {
        if (position == nullptr || position == BEFORE_START_POSITION)
            AfxThrowInvalidArgException();
        return reinterpret_cast<CNode*>(position);
    }
    // Returns the node at rPosition and moves rPosition to its neighbour.
    static CNode* Step(POSITION& rPosition, bool forward)
    {
        CNode* node = Node(rPosition);
        rPosition = reinterpret_cast<POSITION>(forward ? node->pNext : node->pPrev);
        return node;
    }
    CNode* Head() const
    {
        if (m_pNodeHead == nullptr)
            AfxThrowInvalidArgException();
        return m_pNodeHead;
    }
    CNode* Tail() const
    {
        if (m_pNodeTail == nullptr)
            AfxThrowInvalidArgException();
        return m_pNodeTail;
    }
    static CNode* NewNode(ARG_TYPE value) { return new CNode{nullptr, nullptr, value}; }
    POSITION Link(CNode* node, CNode* prev, CNode* next)
    {
        node->pPrev = prev;
        node->pNext = next;
        (prev != nullptr ? prev->pNext : m_pNodeHead) = node;
        (next != nullptr ? next->pPrev : m_pNodeTail) = node;
        ++m_nCount;
        return reinterpret_cast<POSITION>(node);
    }
    void FreeNode(CNode* node)
    {
        (node->pPrev != nullptr ? node->pPrev->pNext : m_pNodeHead) = node->pNext;
        (node->pNext != nullptr ? node->pNext->pPrev : m_pNodeTail) = node->pPrev;
        delete node;
        --m_nCount;
    }

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
};

// ---- CMap ----

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE> class CMap : public CObject
{
protected:
    struct CAssoc {
        CAssoc* pNext;
        UINT nHashValue;  // the bucket
        KEY key;
        VALUE value;
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CMap() override { RemoveAll(); }
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }

    // Sets the bucket count; only before the first entry.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE)
    {
        if (m_nCount != 0 || hashSize == 0)
            return;
        m_table.clear();
        m_nHashTableSize = hashSize;
        if (bAllocNow)
            m_table.assign(hashSize, nullptr);
    }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        const CAssoc* assoc = Find(key);
        if (assoc == nullptr)
            return FALSE;
        rValue = assoc->value;
        return TRUE;
    }
    VALUE& operator[](ARG_KEY key)
    {
        if (CAssoc* assoc = Find(key))
            return assoc->value;
        if (m_table.empty())
            m_table.assign(m_nHashTableSize, nullptr);
        UINT bucket = Bucket(key);
        CAssoc* assoc = new CAssoc{m_table[bucket], bucket, KEY(key), VALUE()};
        m_table[bucket] = assoc;
        ++m_nCount;
        return assoc->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_table.empty())
            return FALSE;
        CAssoc** link = &m_table[Bucket(key)];
        for (CAssoc* assoc = *link; assoc != nullptr; link = &assoc->pNext, assoc = assoc->pNext) {
            if (CompareElements(&assoc->key, &key)) {
                *link = assoc->pNext;
                delete assoc;
                --m_nCount;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll()
    {
        for (CAssoc*& head : m_table) {
            while (head != nullptr) {
                CAssoc* next = head->pNext;
                delete head;
                head = next;
            }
        }
        m_table.clear();
        m_nCount = 0;
    }

    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        const CAssoc* assoc = reinterpret_cast<const CAssoc*>(rNextPosition);
        if (rNextPosition == BEFORE_START_POSITION) {
            assoc = nullptr;
            for (UINT bucket = 0; bucket < m_table.size() && assoc == nullptr; ++bucket)
                assoc = m_table[bucket];
        }
        if (assoc == nullptr)
            AfxThrowInvalidArgException();
        const CAssoc* next = assoc->pNext;
        for (UINT bucket = assoc->nHashValue + 1; next == nullptr && bucket < m_table.size(); ++bucket)
            next = m_table[bucket];
        rNextPosition = reinterpret_cast<POSITION>(const_cast<CAssoc*>(next));
        rKey = assoc->key;
        rValue = assoc->value;
    }

    void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
            for (CAssoc* head : m_table) {
                for (CAssoc* assoc = head; assoc != nullptr; assoc = assoc->pNext) {
                    SerializeElements(ar, &assoc->key, 1);
                    SerializeElements(ar, &assoc->value, 1);
                }
            }
        } else {
            DWORD_PTR count = ar.ReadCount();
            ar.CheckLoadCount(count, AfxMinStoredSize(static_cast<const KEY*>(nullptr)) +
                                         AfxMinStoredSize(static_cast<const VALUE*>(nullptr)));
            while (count-- > 0) {
                KEY newKey[1] = {};
                VALUE newValue[1] = {};
                SerializeElements(ar, newKey, 1);
                SerializeElements(ar, newValue, 1);
                SetAt(newKey[0], newValue[0]);
            }
        }
    }

protected:
    UINT Bucket(ARG_KEY key) const { return HashKey(key) % m_nHashTableSize; }
    CAssoc* Find(ARG_KEY key) const
    {
        if (m_table.empty())
            return nullptr;
        for (CAssoc* assoc = m_table[Bucket(key)]; assoc != nullptr; assoc = assoc->pNext) {
            if (CompareElements(&assoc->key, &key))
                return assoc;
        }
        return nullptr;
    }

    std::vector<CAssoc*> m_table;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
};
