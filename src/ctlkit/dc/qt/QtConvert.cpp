#include "QtConvert.h"
#include <QFontInfo>
#include <QFontMetrics>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kMaxFaceName = static_cast<int>(sizeof(LOGFONT::lfFaceName)) - 1;
constexpr int kNormalWeight = 400;
constexpr int kHeaviestWeight = 1000;

int PixelHeightOf(const QFont& font) {
    if (font.pixelSize() > 0) return font.pixelSize();
    return QFontInfo(font).pixelSize();
}

} // namespace

namespace QtConvert {

QColor ToQColor(COLORREF colour) {
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

COLORREF ToColorRef(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return MakeRGB(rgb.red(), rgb.green(), rgb.blue());
}

int ToQtWeight(int logWeight) {
    if (logWeight <= 0) return QFont::Normal;
    return std::min(logWeight, kHeaviestWeight);
}

int ToLogWeight(int qtWeight) {
    return std::clamp(qtWeight, 1, kHeaviestWeight);
}

QFont ToQFont(const LOGFONT& font) {
    const auto* face = reinterpret_cast<const char*>(font.lfFaceName);
    const auto length = static_cast<qsizetype>(strnlen(face, kMaxFaceName));
    QFont qfont(QString::fromLatin1(face, length));
    qfont.setPixelSize(std::max(1, FontPixels(font.lfHeight)));
    qfont.setWeight(static_cast<QFont::Weight>(ToQtWeight(font.lfWeight)));
    qfont.setItalic(font.lfItalic != 0);
    qfont.setUnderline(font.lfUnderline != 0);
    qfont.setStrikeOut(font.lfStrikeOut != 0);
    return qfont;
}

LOGFONT ToLogFont(const QFont& font) {
    LOGFONT record;
    record.lfHeight = PixelHeightOf(font);
    record.lfWidth = std::max(1, QFontMetrics(font).averageCharWidth());
    record.lfWeight = ToLogWeight(font.weight());
    record.lfItalic = font.italic() ? 1 : 0;
    record.lfUnderline = font.underline() ? 1 : 0;
    record.lfStrikeOut = font.strikeOut() ? 1 : 0;
    const QByteArray face = font.family().left(kMaxFaceName).toLatin1();
    std::memcpy(record.lfFaceName, face.constData(), static_cast<size_t>(face.size()));
    return record;
}

Qt::PenStyle QtPenStyle(int style) {
    switch (style) {
    case kPenDash:
        return Qt::DashLine;
    case kPenDot:
        return Qt::DotLine;
    case kPenDashDot:
        return Qt::DashDotLine;
    case kPenDashDotDot:
        return Qt::DashDotDotLine;
    case kPenNull:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

} // namespace QtConvert
