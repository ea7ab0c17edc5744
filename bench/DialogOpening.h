#pragma once
// What the dialog benchmarks share: the application on Qt's offscreen platform and one open of
// a dialog (made, shown, painted once, closed), the closing left out of the time.
#include <QApplication>
#include <QEvent>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace dialog_opening {

inline QApplication& App() {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "bench_dialogs";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// Notes the first paint of the widget it watches.
class CPaintWatch : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
};

// Opens `Dialog` on `model` once per iteration; `watched` picks the widget whose first paint
// ends the open (the dialog itself when it gives none).
template <class Dialog, class Model, class Watched>
void Open(benchmark::State& state, const Model& model, Watched watched) {
    App();
    for (auto _ : state) {
        auto dialog = std::make_unique<Dialog>(model, nullptr);
        CPaintWatch watch;
        QWidget* painted = watched(*dialog);
        (painted ? painted : dialog.get())->installEventFilter(&watch);
        dialog->show();
        while (!watch.painted) QApplication::processEvents();
        state.PauseTiming();
        dialog.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

template <class Dialog, class Model> void Open(benchmark::State& state, const Model& model) {
    Open<Dialog>(state, model, [](Dialog&) -> QWidget* { return nullptr; });
}

} // namespace dialog_opening
