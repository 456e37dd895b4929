// Test main for the gui tests: one QApplication on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "properties/gui/qt_program_sheet.h"

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  // The program properties sheet is modal: tests that do not drive it cancel it.
  CProgramPropertiesCommand::s_runner = [](CQtProgramSheet&) { return static_cast<int>(QDialog::Rejected); };
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
