#include "CFontPicker.h"
#include "ctlkit/dc/qt/QtConvert.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QSpinBox>
#include <cstring>

namespace {

// Weights from here up show as bold.
constexpr int kBoldFrom = 550;

bool SameRecord(const LOGFONT& a, const LOGFONT& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

CFontPicker::CFontPicker(QWidget* parent)
    : QWidget(parent), m_face(new QFontComboBox(this)), m_height(new QSpinBox(this)),
      m_weight(new QComboBox(this)), m_italic(new QCheckBox(tr("Italic"), this)) {
    m_height->setRange(1, kMaxHeight);
    m_height->setSuffix(tr(" px"));
    m_weight->addItems({tr("Normal"), tr("Bold")});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_face, 1);
    layout->addWidget(m_height);
    layout->addWidget(m_weight);
    layout->addWidget(m_italic);
    setFocusProxy(m_face);

    connect(m_face, &QFontComboBox::currentFontChanged, this,
            [this](const QFont& font) { Edit([&] { m_font.setFamily(font.family()); }); });
    connect(m_height, &QSpinBox::valueChanged, this,
            [this](int height) { Edit([&] { m_font.setPixelSize(height); }); });
    connect(m_weight, &QComboBox::currentIndexChanged, this, [this](int index) {
        Edit([&] { m_font.setWeight(index == 1 ? QFont::Bold : QFont::Normal); });
    });
    connect(m_italic, &QCheckBox::toggled, this,
            [this](bool on) { Edit([&] { m_font.setItalic(on); }); });
    SetLogFont(QtConvert::ToLogFont(font()));
}

template <typename Change> void CFontPicker::Edit(Change change) {
    change();
    emit fontChanged(LogFont());
}

void CFontPicker::SetLogFont(const LOGFONT& font) {
    const LOGFONT before = LogFont();
    m_font = QtConvert::ToQFont(font);
    {
        const QSignalBlocker blockFace(m_face);
        const QSignalBlocker blockHeight(m_height);
        const QSignalBlocker blockWeight(m_weight);
        const QSignalBlocker blockItalic(m_italic);
        m_face->setCurrentFont(m_font);
        m_height->setValue(m_font.pixelSize());
        m_weight->setCurrentIndex(m_font.weight() >= kBoldFrom ? 1 : 0);
        m_italic->setChecked(m_font.italic());
    }
    const LOGFONT after = LogFont();
    if (!SameRecord(before, after)) emit fontChanged(after);
}

LOGFONT CFontPicker::LogFont() const {
    return QtConvert::ToLogFont(m_font);
}
