// The view tests run real widgets; without a display they draw offscreen.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/app_icon.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  zb::InstallApplicationIcon();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
