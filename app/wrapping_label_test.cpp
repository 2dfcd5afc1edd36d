#include "app/wrapping_label.h"

#include <gtest/gtest.h>

#include <QFontDatabase>

#include "app/view_style.h"
#include "platform/fake/fake_program.h"
#include "platform/qt/qt_text.h"
#include "run/messages.h"
#include "run/run_driver.h"

namespace zb {
namespace {

// Japanese desktop fonts differ in width and line height; the tests install
// two common ones.
const QStringList kJapaneseFonts{"Noto Sans CJK JP", "VL PGothic"};

class StatusLabelTest : public testing::TestWithParam<QString> {
 protected:
  StatusLabelTest() {
    label.setGeometry(PixelRect(form.LblComment.Bounds()));
    QFont face(GetParam());
    face.setPointSizeF(form.LblComment.Font().points);
    label.setFont(face);
  }
  // As the window's binding shows a caption.
  void Show(const std::string& text) {
    label.setText(ToQt(text));
    label.SetOwnToolTip({});
  }
  // Every status text a run can leave, the longest ones there can be.
  std::vector<std::string> StatusTexts() {
    FakeProgram f;
    std::vector<std::string> texts{
        form.LblComment.Caption(),
        kStoppedText + std::string("  ") + FormatElapsed(std::chrono::hours(999))};
    f.form.chkGazoHtml.SetValue(1);
    f.run.ImageCount = 99999999;
    f.run.RunState = 0;
    ReportCompletion(f.program);
    texts.push_back(f.form.LblComment.Caption() + "  " + FormatElapsed(std::chrono::hours(999)));
    return texts;
  }

  MainForm form;
  WrappingLabel label;
};

TEST_P(StatusLabelTest, EveryStatusTextIsWholeAndNoTipIsNeeded) {
  ASSERT_TRUE(QFontDatabase::hasFamily(GetParam())) << "run tools/install-deps.sh";
  for (const std::string& text : StatusTexts()) {
    Show(text);
    EXPECT_TRUE(label.TextFits()) << text;
    EXPECT_EQ(label.Fitted().text, label.text());
    EXPECT_GE(label.Fitted().font.pointSizeF(), label.font().pointSizeF() * 3 / 4) << text;
    EXPECT_TRUE(label.toolTip().isEmpty()) << text;
  }
  Show("処理中");
  EXPECT_EQ(label.Fitted().font, label.font()) << "a short text keeps its size";
}

TEST_P(StatusLabelTest, APathTooLongForAnySizeKeepsItsStartAndFileName) {
  std::string path = "C:\\写真";
  for (int year = 2001; year < 2031; ++year) path += "\\" + std::to_string(year) + "年の旅行";
  path += "\\最後の一枚.jpg";
  Show(path);
  const WrappingLabel::Shown shown = label.Fitted();
  EXPECT_FALSE(shown.whole);
  EXPECT_TRUE(shown.text.startsWith("C:\\写真\\2001年")) << FromQt(shown.text);
  EXPECT_TRUE(shown.text.endsWith("年の旅行\\最後の一枚.jpg")) << FromQt(shown.text);
  EXPECT_TRUE(shown.text.contains(QChar(0x2026)));
  EXPECT_EQ(label.toolTip(), ToQt(path));

  WrappingLabel same;  // what is shown fits in the face it is shown in
  same.setGeometry(label.geometry());
  same.setFont(shown.font);
  same.setText(shown.text);
  EXPECT_TRUE(same.TextFits());
  EXPECT_EQ(same.Fitted().font, shown.font);
}

INSTANTIATE_TEST_SUITE_P(JapaneseFonts, StatusLabelTest, testing::ValuesIn(kJapaneseFonts),
                         [](const auto& info) {
                           return info.param.split(' ').join("").toStdString();
                         });

}  // namespace
}  // namespace zb
