#include "kv/KvDbAttribute.h"
#include "kv/KvDbText.h"

Kvmo::ErrorStatus KvDbText::setPosition(const KvGePoint3d& p)
{
    return assignIfWritable(m_position, p);
}
Kvmo::ErrorStatus KvDbText::setTextString(std::u16string text)
{
    return assignIfWritable(m_text, KvPackedText(text));
}
Kvmo::ErrorStatus KvDbText::setHeight(double h)
{
    if (!(h > 0.0)) return Kvmo::eOutOfRange;
    return assignIfWritable(m_height, h);
}
Kvmo::ErrorStatus KvDbText::setRotation(double radians)
{
    return assignIfWritable(m_rotation, radians);
}
Kvmo::ErrorStatus KvDbText::setTextStyle(KvDbObjectId id)
{
    return assignIfWritable(m_textStyle, id);
}

Kvmo::ErrorStatus KvDbAttribute::setTag(const std::u16string& tag)
{
    return assignIfWritable(m_tag, KvSharedName(tag));
}
Kvmo::ErrorStatus KvDbAttribute::setInvisible(bool invisible)
{
    return assignIfWritable(m_invisible, invisible);
}
