#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QScrollBar>
#include <QUrl>

#include "app/view_style.h"
#include "app/view_test_fixture.h"
#include "form/design_colors.h"
#include "platform/qt/qt_text.h"

namespace zb {
namespace {

class MainWindowTest : public testing::Test, public ViewFixture<> {
 protected:
  QColor PixelAt(int x, int y) { return window.centralWidget()->grab().toImage().pixelColor(x, y); }
};

TEST_F(MainWindowTest, AClickOnACheckBoxReachesTheFormAndItsHandler) {
  ASSERT_EQ(form.chkGazoHtml.Value(), 1);
  QTest::mouseClick(Widget(form.chkGazoHtml), Qt::LeftButton);
  EXPECT_EQ(form.chkGazoHtml.Value(), 0);
  EXPECT_FALSE(form.chkBmp.Enabled());
  EXPECT_FALSE(Widget(form.chkBmp)->isEnabled());
  EXPECT_EQ(Widget<QCheckBox>(form.chkGazoHtml)->checkState(), Qt::Unchecked);
}

TEST_F(MainWindowTest, AChangeInTheFormShowsInItsWidgetsAtOnce) {
  form.hscGazoSuu.SetValue(50);
  EXPECT_EQ(Widget<QScrollBar>(form.hscGazoSuu)->value(), 50);
  EXPECT_EQ(Widget<QLabel>(form.lGazosu)->text(), "50");
  form.chkSameDir.SetValue(0);
  EXPECT_TRUE(Widget(form.txtOLESakusei)->isEnabled());
  EXPECT_EQ(Widget<QLineEdit>(form.txtOLESakusei)->text(), ToQt(form.txtOLESakusei.Text()));
  form.lblAnnai[0].SetVisible(false);
  EXPECT_TRUE(Widget(form.lblAnnai[0])->isHidden());
  EXPECT_TRUE(Widget(form.chkXLS2PRN)->isHidden());
  EXPECT_TRUE(Widget(form.Picture1)->isHidden());
}

TEST_F(MainWindowTest, TheOptionMenuSwitchesBetweenGradientAndPlainBackground) {
  const int bottom = window.centralWidget()->height() - 1;
  EXPECT_EQ(PixelAt(1, 0), QColor(255, 255, 255));
  EXPECT_EQ(PixelAt(1, bottom), QColor(0, 0, 255));
  window.ActionOf(form.mnuOptionItem[kOptionWhiteBackground])->trigger();
  EXPECT_TRUE(window.ActionOf(form.mnuOptionItem[kOptionWhiteBackground])->isChecked());
  EXPECT_EQ(PixelAt(1, 0), ToQColor(kPlainBackground));
  EXPECT_EQ(PixelAt(1, bottom), ToQColor(kPlainBackground));
  EXPECT_EQ(Widget(form.LblFileCount)->palette().color(QPalette::WindowText), ToQColor(kDarkBlue));
}

TEST_F(MainWindowTest, TheControlsOnTheTabsSitOnTheSilverOfThePage) {
  for (const Control* control : std::initializer_list<const Control*>{
           &form.chkGazoHtml, &form.chkBmp, &form.chkHtmlBr, &form.optWin2[0], &form.optWin2[1],
           &form.optWin2[2], &form.chkTable1, &form.chkFileName, &form.chkAllFileList}) {
    QWidget* widget = Widget(*control);
    const QImage face = widget->grab().toImage();
    // The right end of the box, beyond its caption.
    EXPECT_EQ(face.pixelColor(face.width() - 2, face.height() / 2), ToQColor(kSilver))
        << FromQt(widget->objectName()) << " " << control->Caption();
  }
}

TEST_F(MainWindowTest, TypingAFolderAndClickingElsewhereMovesTheFolderList) {
  OpenFolder("pics");
  folder.MakeFolder("pics/sub");
  auto* field = Widget<QLineEdit>(form.txtOLEKensaku);
  field->setFocus();
  field->selectAll();
  ASSERT_EQ(form.txtOLEKensaku.SelLength(), 7);
  QTest::keyClicks(field, "c:\\pics\\sub\\");
  EXPECT_EQ(form.txtOLEKensaku.Text(), "c:\\pics\\sub\\");
  QTest::mouseClick(Widget(form.chkSubDir), Qt::LeftButton);
  EXPECT_TRUE(Widget(form.chkSubDir)->hasFocus());
  EXPECT_EQ(program.focused, nullptr);
  EXPECT_EQ(form.Dir1.Path(), "C:\\pics\\sub");
  EXPECT_EQ(field->text(), "C:\\pics\\sub");
  EXPECT_EQ(Widget<QListWidget>(form.Dir1)->currentItem()->text().trimmed(), "sub");
}

TEST_F(MainWindowTest, ChoosingAFolderInTheListMovesThere) {
  OpenFolder("pics");
  folder.MakeFolder("pics/sub");
  RefreshFolderLists(program);
  auto* list = Widget<QListWidget>(form.Dir1);
  QListWidgetItem* sub = list->item(list->count() - 1);
  ASSERT_EQ(sub->text().trimmed(), "sub");
  emit list->itemActivated(sub);
  QCoreApplication::processEvents();
  EXPECT_EQ(form.Dir1.Path(), "C:\\pics\\sub");
  EXPECT_EQ(list->currentItem()->text().trimmed(), "sub");
  EXPECT_EQ(Widget<QLineEdit>(form.txtOLEKensaku)->text(), "C:\\pics\\sub");
}

TEST_F(MainWindowTest, EnterMovesTheFocusBetweenTheFields) {
  form.chkSameDir.SetValue(0);
  auto* search = Widget<QLineEdit>(form.txtOLEKensaku);
  search->setFocus();
  QTest::keyClick(search, Qt::Key_Return);
  EXPECT_TRUE(search->hasFocus());
  QTest::keyClick(search, Qt::Key_Return);
  EXPECT_TRUE(Widget(form.txtOLESakusei)->hasFocus());
  EXPECT_EQ(program.focused, &form.txtOLESakusei);
}

class DropTest : public MainWindowTest {
 protected:
  void Drop(QMimeData* data) {
    // As a file manager drags: the field is entered, then dropped on.
    QWidget* field = Widget(form.txtOLEKensaku);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(field, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(field, &drop);
    QCoreApplication::processEvents();
  }
};

TEST_F(DropTest, TheFirstDroppedFileSelectsItsFolderDroppedTextIsIgnored) {
  OpenFolder("pics");
  QMimeData text;
  text.setText("C:\\elsewhere");
  Drop(&text);
  EXPECT_EQ(form.txtOLEKensaku.Text(), "C:\\pics");
  EXPECT_EQ(form.Dir1.Path(), "C:\\pics");

  const std::string picture = folder.Put("drop/a.jpg");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(ToQt(picture)), QUrl::fromLocalFile(ToQt(folder.path()))});
  Drop(&data);
  EXPECT_EQ(form.Dir1.Path(), "C:\\drop");
  EXPECT_EQ(Widget<QLineEdit>(form.txtOLEKensaku)->text(), "C:\\drop");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "C:\\drop\\a.jpg");
}

}  // namespace
}  // namespace zb
