#include <QApplication>
#include <gtest/gtest.h>

// The tests of widgets need one application object for the whole run; the platform is the
// one the environment names (offscreen under CTest).
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
