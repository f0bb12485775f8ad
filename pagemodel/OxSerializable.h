#pragma once
// A record that a work file stores as one of its entries without knowing its type: the
// table layout is kept as the entry "Page.Layout" through this interface, so that the page
// model does not depend on the table layer above it.

class OxReadWrite;

class OxSerializable
{
public:
    virtual ~OxSerializable() = default;
    // Writes the record; false as soon as the stream refuses a write.
    virtual bool Write(OxReadWrite& stream) const = 0;
    // Reads the record; false on a short stream or a record it does not accept.
    virtual bool Read(OxReadWrite& stream) = 0;
};
