#pragma once
#include "ctlkit/base/LOGFONT.h"
#include <QFont>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QSpinBox;

// A font record edited as face, pixel height, weight (normal or bold) and italic. The record
// is read and written through QtConvert, so it always carries the font's average character
// width, never 0. A face the system lacks, a weight other than normal or bold, underline and
// strike-out are kept as they were until the user changes them.
class CFontPicker : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxHeight = 200;

    explicit CFontPicker(QWidget* parent = nullptr);

    void SetLogFont(const LOGFONT& font);
    LOGFONT LogFont() const;

    QFontComboBox* FaceBox() const { return m_face; }
    QSpinBox* HeightBox() const { return m_height; }
    QComboBox* WeightBox() const { return m_weight; }
    QCheckBox* ItalicBox() const { return m_italic; }

signals:
    void fontChanged(const LOGFONT& font);

private:
    // Applies one change of the user's to the font and tells it.
    template <typename Change> void Edit(Change change);

    QFontComboBox* m_face;
    QSpinBox* m_height;
    QComboBox* m_weight;
    QCheckBox* m_italic;
    QFont m_font;
};
