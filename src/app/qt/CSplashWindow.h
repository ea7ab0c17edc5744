#pragma once
#include <QWidget>

// The borderless start-up picture with the program's name and version, centred on the
// screen. It closes at the first key or mouse button press the application sees, and at the
// latest a few seconds after the main window shows, so it never hides the program.
class CSplashWindow : public QWidget {
public:
    static constexpr int kLatestCloseMs = 3000;

    CSplashWindow();
    ~CSplashWindow() override;

    // The main window is up: the splash closes `ms` from now unless a press closed it before.
    void CloseSoon(int ms = kLatestCloseMs);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
