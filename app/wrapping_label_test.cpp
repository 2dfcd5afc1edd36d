#include "app/wrapping_label.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QTextLayout>

#include "app/view_style.h"
#include "context/run_messages.h"
#include "platform/qt/qt_text.h"
#include "run/run_driver.h"
#include "testing/fake_program.h"

namespace zb {
namespace {

// Japanese desktop fonts differ in width and line height; the tests install
// two common ones.
const std::vector<std::string> kJapaneseFonts{"Noto Sans CJK JP", "VL PGothic"};

class StatusLabelTest : public testing::TestWithParam<std::string> {
 protected:
  StatusLabelTest() {
    label.setGeometry(PixelRect(form.LblComment.Bounds()));
    QFont face(ToQt(GetParam()));
    face.setPointSizeF(form.LblComment.Font().points);
    label.setFont(face);
  }
  void SetUp() override {
    ASSERT_TRUE(QFontDatabase::hasFamily(ToQt(GetParam()))) << "run tools/install-deps.sh";
  }
  // As the window's binding shows a caption.
  void Show(const std::string& text) {
    label.setText(ToQt(text));
    label.SetOwnToolTip({});
  }
  // What is shown fits in the face it is shown in, laid out as Qt wraps text.
  bool FitsAsShown(const WrappingLabel::Shown& shown) const {
    QTextLayout layout(shown.text, shown.font);
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrap);
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(label.contentsRect().width());
      height += line.height();
    }
    layout.endLayout();
    return height <= label.contentsRect().height();
  }
  // Every status text a run can leave, the longest ones there can be.
  std::vector<std::string> StatusTexts() {
    FakeProgram f;
    std::vector<std::string> texts{
        form.LblComment.Caption(),
        kStoppedText + std::string("  ") + FormatElapsed(std::chrono::hours(999))};
    f.form.chkGazoHtml.SetValue(1);
    f.run.ImageCount = 99999999;
    f.run.RunState = StopRequest::kNone;
    ReportCompletion(f.program.session);
    texts.push_back(f.form.LblComment.Caption() + "  " + FormatElapsed(std::chrono::hours(999)));
    return texts;
  }

  MainForm form;
  WrappingLabel label;
};

TEST_P(StatusLabelTest, EveryStatusTextIsWholeAndNoTipIsNeeded) {
  for (const std::string& text : StatusTexts()) {
    Show(text);
    const WrappingLabel::Shown shown = label.Fitted();
    EXPECT_TRUE(shown.whole) << text;
    EXPECT_EQ(shown.text, label.text());
    EXPECT_GE(shown.font.pointSizeF(), label.font().pointSizeF() * 3 / 4) << text;
    EXPECT_TRUE(FitsAsShown(shown)) << text;
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

  EXPECT_TRUE(FitsAsShown(shown));
}

INSTANTIATE_TEST_SUITE_P(JapaneseFonts, StatusLabelTest, testing::ValuesIn(kJapaneseFonts),
                         [](const auto& info) {
                           std::string name = info.param;
                           std::erase(name, ' ');
                           return name;
                         });

}  // namespace
}  // namespace zb
