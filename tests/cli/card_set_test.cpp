// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl card and set as a user runs them: the card's PDF read back with
// poppler's tools (text, pages, fonts), and a set that goes through (what set
// and card refuse: ctl_test).
#include <QRegularExpression>
#include <filesystem>

#include "ctl_run.h"

namespace zt::testing {
namespace {

// A tool's standard output.
std::string Tool(const char* program, const QStringList& args) {
    QProcess tool;
    tool.start(program, args);
    tool.waitForFinished();
    return tool.readAllStandardOutput().toStdString();
}

class CardAndSet : public CtlTest {
  protected:
    void SetUp() override {
        CtlTest::SetUp();
        Image image = BlankImage();
        for (int c = 1; c <= 128; ++c) {
            StoreRxText(image, c, std::to_string(400 + c / 2) + (c % 2 ? ".5125" : ".025"));
            ApplyGridDefaults(image, c);
            WriteName(image, c, "N" + std::to_string(c));
        }
        Save("all.chann", image);
    }
};

TEST_F(CardAndSet, ACardOf128ChannelsOnTwoA4PagesWithEveryChannelAndItsFontsEmbedded) {
    const RunResult en = Ctl("card all.chann -o en.pdf");
    ASSERT_EQ(en.exitCode, 0) << en.err;
    EXPECT_TRUE(Has(en.err, "Wrote the channel card of 128 channels on 2 pages to en.pdf"));
    const std::string info = Tool("pdfinfo", {"en.pdf"});
    EXPECT_TRUE(Has(info, "Pages:           2\n"));
    EXPECT_TRUE(Has(info, "(A4)"));
    const QString text = QString::fromStdString(Tool("pdftotext", {"-layout", "en.pdf", "-"}));
    for (int c = 1; c <= 128; ++c) {
        // Number, name and receive frequency on one line: 7 N7 403.51250.
        const QString rx = QString("%1.%2").arg(400 + c / 2).arg(c % 2 ? "51250" : "02500");
        const QRegularExpression line(QString("(^|\\n) *%1 +N%1 +%2 ").arg(c).arg(rx));
        EXPECT_TRUE(line.match(text).hasMatch()) << "channel " << c;
    }
    // Chinese, of a selection: the column titles, with the CJK font embedded (a
    // Kangxi radical that shares its glyph with an ideograph reads back as the
    // radical, which NFKC folds).
    ASSERT_EQ(Ctl("card all.chann -o zh.pdf --language zh --channels 1-16 --title 俱乐部").exitCode,
              0);
    const QString zh = QString::fromStdString(Tool("pdftotext", {"zh.pdf", "-"}))
                           .normalized(QString::NormalizationForm_KC);
    for (const char* title : {"俱乐部", "信道号", "信道名称", "接收频率(MHZ)", "发射频率(MHZ)",
                              "QT/DQT解码", "QT/DQT编码", "发射功率", "信道带宽", "禁止发射"})
        EXPECT_TRUE(zh.contains(QString::fromUtf8(title))) << title;
    for (const char* pdf : {"en.pdf", "zh.pdf"}) {
        const std::string fonts = Tool("pdffonts", {pdf});
        const auto emb = fonts.find("emb");
        int listed = 0;
        std::istringstream lines(fonts);
        for (std::string l; std::getline(lines, l);) {
            if (l.size() <= emb || l.starts_with("name") || l.starts_with("---")) continue;
            ++listed;
            EXPECT_EQ(l.substr(emb, 3), "yes") << pdf << ": " << l;
        }
        EXPECT_GE(listed, 1) << pdf;
        EXPECT_EQ(fonts.find("NotoSansCJK") != std::string::npos, pdf == std::string("zh.pdf"));
    }
}

// A negative offset is its own word.
TEST_F(CardAndSet, SetWritesTheChangedChannels) {
    const RunResult set = Ctl("set all.chann -o o.chann --channels 3-4 --offset -0.6");
    EXPECT_EQ(set.exitCode, 0);
    EXPECT_TRUE(Has(set.err, "Changed 2 channels (3-4) and wrote o.chann"));
    EXPECT_EQ(TxText(Load("o.chann"), 4), "401.42500");
}

}  // namespace
}  // namespace zt::testing
