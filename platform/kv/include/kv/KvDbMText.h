#pragma once
#include "kv/KvDbEntity.h"
#include "kv/KvGePoint3d.h"

// Multiline text. contents() is the stored text with its formatting codes;
// text() is the plain text a reader sees.
class KvDbMText : public KvDbEntity {
public:
    KvDbMText() = default;
    enum AttachmentPoint {
        kTopLeft = 1,
        kTopCenter,
        kTopRight,
        kMiddleLeft,
        kMiddleCenter,
        kMiddleRight,
        kBottomLeft,
        kBottomCenter,
        kBottomRight,
        kBaseLeft = 10,
        kBaseCenter,
        kBaseRight,
        kBaseAlign,
        kBottomAlign,
        kMiddleAlign,
        kTopAlign,
        kBaseFit,
        kBottomFit,
        kMiddleFit,
        kTopFit,
        kBaseMid,
        kBottomMid,
        kMiddleMid,
        kTopMid
    };
    enum FlowDirection { kLtoR = 1, kRtoL = 2, kTtoB = 3, kBtoT = 4, kByStyle = 5 };
    enum LineSpacingStyle { kAtLeast = 1, kExactly = 2 };

    const char* isA() const override { return "KvDbMText"; }
    KV_DB_KIND(KvDbMText, kMText, kMText)
    std::u16string dxfName() const override { return u"MTEXT"; }

    KvGePoint3d location() const { return m_location; }
    Kvmo::ErrorStatus setLocation(const KvGePoint3d& p);
    const std::u16string& contents() const { return m_contents; }
    Kvmo::ErrorStatus setContents(std::u16string text);
    // Contents without formatting codes, paragraph breaks as line feeds.
    std::u16string text() const;
    KvDbObjectId textStyle() const { return m_textStyle; }
    Kvmo::ErrorStatus setTextStyle(KvDbObjectId id);
    int attachment() const { return m_attachment; }
    Kvmo::ErrorStatus setAttachment(int attachment);
    int flowDirection() const { return m_flowDirection; }
    Kvmo::ErrorStatus setFlowDirection(int direction);
    double width() const { return m_width; }
    Kvmo::ErrorStatus setWidth(double w);
    double textHeight() const { return m_textHeight; }
    Kvmo::ErrorStatus setTextHeight(double h);
    // Radians, measured in the text's plane from its X axis.
    double rotation() const { return m_rotation; }
    Kvmo::ErrorStatus setRotation(double radians);
    KvGeVector3d direction() const { return m_direction; }
    Kvmo::ErrorStatus setDirection(const KvGeVector3d& d);
    KvGeVector3d normal() const { return planarNormal(); }
    Kvmo::ErrorStatus setNormal(const KvGeVector3d& n);
    bool backgroundFillOn() const { return m_backgroundFill; }
    Kvmo::ErrorStatus setBackgroundFill(bool on);
    double lineSpacingFactor() const { return m_lineSpacingFactor; }
    Kvmo::ErrorStatus setLineSpacingFactor(double f);
    int lineSpacingStyle() const { return m_lineSpacingStyle; }
    Kvmo::ErrorStatus setLineSpacingStyle(int style);
    // Distance between base lines: 5/3 of the text height times the spacing factor.
    double lineSpacingDistance() const;

    KvDbMText* clone() const override;
    Kvmo::ErrorStatus moveBy(const KvGeVector3d& offset) override;

protected:
    KvDbMText(const KvDbMText&) = default;

private:
    KvGePoint3d m_location;
    std::u16string m_contents;
    KvDbObjectId m_textStyle;
    int m_attachment = kTopLeft;
    int m_flowDirection = kLtoR;
    double m_width = 0.0;
    double m_textHeight = 2.5;
    double m_rotation = 0.0;
    KvGeVector3d m_direction = KvGeVector3d(1, 0, 0);
    bool m_backgroundFill = false;
    double m_lineSpacingFactor = 1.0;
    int m_lineSpacingStyle = kAtLeast;
};
