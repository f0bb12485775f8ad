#include "pagemodel/CDCItem.h"

#include "pagemodel/CDCFont.h"
#include "pagemodel/CDCText.h"
#include "pagemodel/OxReadWrite.h"

#include <map>
#include <memory>

namespace {

class PageItemFactory
{
public:
    PageItemFactory()
    {
        m_ready = Register(m_text) && Register(m_font);
    }

    // Every read works on a fresh clone of the prototype, so the prototypes stay
    // untouched and readers on different threads do not share state.
    CDCItem* Create(OxReadWrite& stream, uint32_t version) const
    {
        BYTE type = 0;
        if (!m_ready || !stream.ReadValue(type))
            return nullptr;
        const auto found = m_prototypes.find(type);
        if (found == m_prototypes.end())
            return nullptr;
        std::unique_ptr<CDCItem> item(found->second->Clone());
        if (!item || !item->Read(stream, version))
            return nullptr;
        return item.release();
    }

private:
    bool Register(const CDCItem& prototype)
    {
        return m_prototypes.emplace(prototype.GetType(), &prototype).second;
    }

    CDCText m_text;
    CDCFont m_font;
    std::map<BYTE, const CDCItem*> m_prototypes;
    bool m_ready = false;
};

} // namespace

CDCItem* CreatePageItem(OxReadWrite& stream, uint32_t version)
{
    static const PageItemFactory factory;
    return factory.Create(stream, version);
}
