#pragma once
#include "ctlkit/dc/CDC.h"
#include <QPushButton>

class QColorDialog;

// A button showing a swatch of its colour (0x00BBGGRR). A click opens a colour dialog over
// the window; every colour the user passes through there is taken at once, for a live
// preview, and a cancelled dialog brings the first colour back.
class CColourButton : public QPushButton {
    Q_OBJECT
public:
    explicit CColourButton(QWidget* parent = nullptr);

    // Emits colourChanged when the colour differs from the one shown; the top byte is dropped.
    void SetColour(COLORREF colour);
    COLORREF Colour() const { return m_colour; }

    // The colour dialog while it is open, else null.
    QColorDialog* OpenDialog() const { return m_dialog; }

signals:
    void colourChanged(COLORREF colour);

protected:
    void changeEvent(QEvent* event) override;

private:
    void OpenColourDialog();
    void CloseColourDialog(bool accepted);
    void UpdateSwatch();

    COLORREF m_colour = 0;
    COLORREF m_before = 0;
    QColorDialog* m_dialog = nullptr;
};
