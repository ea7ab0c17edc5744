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

// Opens the dialog `make` builds once per iteration; `watched` picks the widget whose first
// paint ends the open (the dialog itself when it gives none).
template <class Make, class Watched>
void OpenMade(benchmark::State& state, Make make, Watched watched) {
    App();
    for (auto _ : state) {
        auto dialog = make();
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

template <class Make> void OpenMade(benchmark::State& state, Make make) {
    OpenMade(state, make, [](QWidget&) -> QWidget* { return nullptr; });
}

// `Dialog` made as Dialog(model, no parent).
template <class Dialog, class Model, class Watched>
void Open(benchmark::State& state, const Model& model, Watched watched) {
    OpenMade(
        state, [&] { return std::make_unique<Dialog>(model, nullptr); },
        [&](QWidget& dialog) { return watched(static_cast<Dialog&>(dialog)); });
}

template <class Dialog, class Model> void Open(benchmark::State& state, const Model& model) {
    OpenMade(state, [&] { return std::make_unique<Dialog>(model, nullptr); });
}

} // namespace dialog_opening
