#pragma once
#include "chart/CChartFile.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "quotes/CStock.h"
#include "view/CPaneStack.h"
#include "view/qt/PaneStackPainter.h"
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

// The sample chart in a pane stack as its window shows it, in a folder of its own for the
// printed files, and the poppler tools that read those files back.
class PrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = "/tmp/zs-print-XXXXXX";
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        dir = pattern + "/";
        const CFileResult loaded =
            CChartFile::Load(std::string(ZS_SAMPLE_DIR) + "/chart/ACME.cht", stock);
        ASSERT_TRUE(loaded) << loaded.message();
        stock->SetExportOnClose(false);
        stack = std::make_unique<CPaneStack>(*stock, stock->PaneCount(),
                                             CZentriStockView::DefaultAxisSettings());
        // Painted once on screen, as a chart is before anyone prints it.
        PaneStackPainter::Render(*stack, kWindowWidth, kWindowHeight);
    }
    void TearDown() override {
        stack.reset();
        stock.reset();
        // ZS_KEEP_PRINTS=1 keeps the printed pages for looking at.
        if (std::getenv("ZS_KEEP_PRINTS")) {
            std::printf("printed files kept in %s\n", dir.c_str());
            return;
        }
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    static bool HasTool(const std::string& tool) {
        return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
    }
    static std::string ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    // Pages of a PDF as Qt writes it: one "/Type /Page" object each (the tree is "/Pages").
    static int PageCount(const std::string& pdf) {
        const std::string bytes = ReadBytes(pdf);
        const std::regex page(R"(/Type\s*/Page[^s])");
        return static_cast<int>(
            std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), {}));
    }
    static std::string Output(const std::string& command) {
        std::string out;
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            char buffer[4096];
            size_t n = 0;
            while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
            ::pclose(pipe);
        }
        return out;
    }
    // The first page at `dpi` dots per inch.
    QImage RenderPage(const std::string& pdf, int dpi) {
        const std::string prefix = dir + "page" + std::to_string(dpi);
        const std::string command = "pdftoppm -r " + std::to_string(dpi) + " -png -singlefile '" +
                                    pdf + "' '" + prefix + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return QImage(QString::fromStdString(prefix + ".png"))
            .convertToFormat(QImage::Format_RGB32);
    }
    static std::string PageText(const std::string& pdf) {
        return Output("pdftotext -layout '" + pdf + "' -");
    }
    struct SWord {
        std::string text;
        double height = 0; // points
    };
    // Every word of the page with the height of its box.
    static std::vector<SWord> PageWords(const std::string& pdf) {
        const std::string html = Output("pdftotext -bbox '" + pdf + "' -");
        const std::regex word(
            R"re(<word xMin="([-0-9.]+)" yMin="([-0-9.]+)" xMax="([-0-9.]+)" yMax="([-0-9.]+)">([^<]*)</word>)re");
        std::vector<SWord> words;
        for (auto it = std::sregex_iterator(html.begin(), html.end(), word);
             it != std::sregex_iterator(); ++it)
            words.push_back(
                {(*it)[5].str(), std::stod((*it)[4].str()) - std::stod((*it)[2].str())});
        return words;
    }
    static bool IsGrey(QRgb pixel, int tolerance) {
        return std::abs(qRed(pixel) - qGreen(pixel)) <= tolerance &&
               std::abs(qGreen(pixel) - qBlue(pixel)) <= tolerance &&
               std::abs(qRed(pixel) - qBlue(pixel)) <= tolerance;
    }
    // Pixels darker than light grey in the rows [top, bottom) of the image.
    static int DarkPixels(const QImage& image, int top, int bottom) {
        int dark = 0;
        for (int y = std::max(0, top); y < std::min(bottom, image.height()); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 160) ++dark;
        return dark;
    }
    static int ColouredPixels(const QImage& image) {
        int coloured = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!IsGrey(image.pixel(x, y), 24)) ++coloured;
        return coloured;
    }

    static constexpr int kWindowWidth = 1000;
    static constexpr int kWindowHeight = 600;
    std::string dir;
    CRecordingPrompter prompter;
    CScopedPrompter scopedPrompter{prompter};
    std::unique_ptr<CStock> stock;
    std::unique_ptr<CPaneStack> stack;
};
