#pragma once
#include "kv/KvDbObject.h"

// Table style: the text style and heights a table's cells use unless set per cell.
class KvDbTableStyle : public KvDbObject {
public:
    const char* isA() const override { return "KvDbTableStyle"; }
    KV_DB_KIND(KvDbTableStyle, kTableStyle, kTableStyle)
    std::u16string dxfName() const override { return u"TABLESTYLE"; }

    const std::u16string& name() const { return m_name; }
    void setName(const std::u16string& name) { m_name = name; }
    KvDbObjectId textStyle() const { return m_textStyle; }
    void setTextStyle(KvDbObjectId id) { m_textStyle = id; }
    double textHeight() const { return m_textHeight; }
    void setTextHeight(double h) { m_textHeight = h; }
    double horizontalCellMargin() const { return m_margin; }
    void setHorizontalCellMargin(double m) { m_margin = m; }

private:
    std::u16string m_name = u"Standard";
    KvDbObjectId m_textStyle;
    double m_textHeight = 0.18;
    double m_margin = 0.06;
};
