#include "settings/QtWindowPlacement.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <limits>

#include "data/IniFile.h"

namespace {

using qv::IniFile;
using qv::LoadWindowPlacement;
using qv::SaveWindowPlacement;

const std::string kSection = "TestWindow";

QRect ScreenRect() {
  return QGuiApplication::primaryScreen()->geometry();
}

QRect Placement(const QWidget& window) {
  return QRect(window.pos(), window.size());
}

void WriteRect(IniFile& settings, const std::string& section, const QRect& rect) {
  for (const auto& [key, value] :
       {std::pair{"Left", rect.x()}, std::pair{"Top", rect.y()}, std::pair{"Width", rect.width()},
        std::pair{"Height", rect.height()}})
    settings.WriteInteger(section, key, value);
}

QRect SavedRect(const IniFile& settings, const std::string& section) {
  return QRect(settings.ReadInteger(section, "Left", -1), settings.ReadInteger(section, "Top", -1),
               settings.ReadInteger(section, "Width", -1),
               settings.ReadInteger(section, "Height", -1));
}

void ShowDecorated(QWidget& window) {
  window.show();
  QCoreApplication::processEvents();
}

class QtWindowPlacementTest : public ::testing::Test {
 protected:
  IniFile settings_{""};
  QWidget window_;
  const QRect work_ = qv::WorkArea();
};

TEST_F(QtWindowPlacementTest, DefaultsAreCentredOrAgainstTheFarEdges) {
  LoadWindowPlacement(&settings_, window_, kSection, 200, 100, true, true);
  EXPECT_EQ(Placement(window_), QRect(work_.x() + (work_.width() - 200) / 2,
                                      work_.y() + (work_.height() - 100) / 2, 200, 100));

  LoadWindowPlacement(&settings_, window_, kSection, 225, 280, false, false);
  EXPECT_EQ(Placement(window_),
            QRect(work_.x() + work_.width() - 225, work_.y() + work_.height() - 280, 225, 280));

  // A negative default spans the whole work area whichever way it is placed.
  LoadWindowPlacement(&settings_, window_, kSection, -1, 100, false, true);
  EXPECT_EQ(Placement(window_),
            QRect(work_.x(), work_.y() + (work_.height() - 100) / 2, work_.width(), 100));
  LoadWindowPlacement(&settings_, window_, kSection, -1, -1, true, true);
  EXPECT_EQ(Placement(window_), work_);
  EXPECT_FALSE(window_.isMaximized());
}

TEST_F(QtWindowPlacementTest, WithoutSettingsTheWindowIsLeftAlone) {
  window_.move(12, 34);
  window_.resize(150, 90);
  LoadWindowPlacement(nullptr, window_, kSection, -1, -1, true, true);
  EXPECT_EQ(Placement(window_), QRect(12, 34, 150, 90));
  SaveWindowPlacement(nullptr, window_, kSection);  // nothing to write to, no crash
}

TEST_F(QtWindowPlacementTest, SavedPlacementRestoresExactly) {
  window_.move(30, 40);
  window_.resize(310, 220);
  SaveWindowPlacement(&settings_, window_, kSection);
  EXPECT_EQ(settings_.ReadString(kSection, "Left", ""), "30");
  EXPECT_EQ(settings_.ReadString(kSection, "Height", ""), "220");
  EXPECT_EQ(settings_.ReadString(kSection, "Maximized", ""), "0");

  QWidget other;
  LoadWindowPlacement(&settings_, other, kSection, 100, 100, true, true);
  EXPECT_EQ(Placement(other), QRect(30, 40, 310, 220));
}

TEST_F(QtWindowPlacementTest, NormalWindowIsClampedToThePrimaryScreen) {
  const QRect screen = ScreenRect();
  settings_.WriteInteger(kSection, "Left", 5000);
  settings_.WriteInteger(kSection, "Top", -20);
  settings_.WriteInteger(kSection, "Width", 200);
  settings_.WriteInteger(kSection, "Height", 150);
  LoadWindowPlacement(&settings_, window_, kSection, 100, 100, true, true);
  EXPECT_EQ(Placement(window_), QRect(0, 0, 200, 150));

  settings_.WriteInteger(kSection, "Left", 100);
  settings_.WriteInteger(kSection, "Top", 10);
  settings_.WriteInteger(kSection, "Width", 3000);
  settings_.WriteInteger(kSection, "Height", 3000);
  LoadWindowPlacement(&settings_, window_, kSection, 100, 100, true, true);
  EXPECT_EQ(Placement(window_), QRect(100, 10, screen.width() - 100, screen.height() - 10));

  // A size whose far edge lies beyond every int is held all the same.
  settings_.WriteInteger(kSection, "Width", std::numeric_limits<int>::max());
  settings_.WriteInteger(kSection, "Height", std::numeric_limits<int>::max());
  LoadWindowPlacement(&settings_, window_, kSection, 100, 100, true, true);
  EXPECT_EQ(Placement(window_), QRect(100, 10, screen.width() - 100, screen.height() - 10));
}

TEST_F(QtWindowPlacementTest, MaximizedWindowKeepsItsSavedNormalBounds) {
  settings_.WriteInteger(kSection, "Left", 20);
  settings_.WriteInteger(kSection, "Top", 25);
  settings_.WriteInteger(kSection, "Width", 300);
  settings_.WriteInteger(kSection, "Height", 200);
  settings_.WriteBool(kSection, "Maximized", true);
  LoadWindowPlacement(&settings_, window_, kSection, -1, -1, true, true);
  EXPECT_TRUE(window_.isMaximized());
  EXPECT_EQ(Placement(window_), QRect(20, 25, 300, 200));

  window_.show();
  SaveWindowPlacement(&settings_, window_, kSection);
  EXPECT_EQ(settings_.ReadInteger(kSection, "Left", 0), 20);
  EXPECT_EQ(settings_.ReadInteger(kSection, "Top", 0), 25);
  EXPECT_EQ(settings_.ReadInteger(kSection, "Width", 0), 300);
  EXPECT_EQ(settings_.ReadInteger(kSection, "Height", 0), 200);
  EXPECT_EQ(settings_.ReadString(kSection, "Maximized", ""), "1");
  window_.hide();
}

TEST_F(QtWindowPlacementTest, UnreachablePlacementFallsBackToTheDefault) {
  const QRect screen = ScreenRect();
  const QRect defaults(work_.x() + (work_.width() - 200) / 2,
                       work_.y() + (work_.height() - 100) / 2, 200, 100);

  // Left exactly at the screen's width survives the clamping with no width.
  settings_.WriteInteger(kSection, "Left", screen.width());
  settings_.WriteInteger(kSection, "Top", 0);
  settings_.WriteInteger(kSection, "Width", 400);
  settings_.WriteInteger(kSection, "Height", 300);
  LoadWindowPlacement(&settings_, window_, kSection, 200, 100, true, true);
  EXPECT_EQ(Placement(window_), defaults);

  // A maximized window is not clamped; its normal bounds on a screen that is
  // gone would come back off every screen when it is restored.
  settings_.WriteInteger(kSection, "Left", -5000);
  settings_.WriteInteger(kSection, "Top", -5000);
  settings_.WriteBool(kSection, "Maximized", true);
  LoadWindowPlacement(&settings_, window_, kSection, 200, 100, true, true);
  EXPECT_TRUE(window_.isMaximized());
  EXPECT_EQ(Placement(window_), defaults);

  settings_.WriteInteger(kSection, "Left", 10);
  settings_.WriteInteger(kSection, "Top", 10);
  settings_.WriteInteger(kSection, "Width", 0);
  settings_.WriteBool(kSection, "Maximized", false);
  LoadWindowPlacement(&settings_, window_, kSection, 200, 100, true, true);
  EXPECT_EQ(Placement(window_), defaults);
}

// The keys are the outer frame: once the window is decorated, its frame and
// not its client area has the default size, so the whole window (status line
// included) is on the work area; the same frame is saved back.
TEST_F(QtWindowPlacementTest, KeysAreTheOuterFrameOnceTheWindowIsDecorated) {
  LoadWindowPlacement(&settings_, window_, kSection, -1, -1, true, true);
  ShowDecorated(window_);
  ASSERT_NE(window_.frameGeometry(), window_.geometry()) << "the platform draws no frame";
  EXPECT_EQ(window_.frameGeometry(), work_);
  SaveWindowPlacement(&settings_, window_, kSection);
  EXPECT_EQ(SavedRect(settings_, kSection), work_);

  // A placement saved larger than the work area shrinks to fit it.
  WriteRect(settings_, kSection, QRect(work_.x() + 100, work_.y() + 10, 5000, 5000));
  QWidget large;
  LoadWindowPlacement(&settings_, large, kSection, -1, -1, true, true);
  ShowDecorated(large);
  EXPECT_EQ(large.frameGeometry(), work_.adjusted(100, 10, 0, 0));
}

// A window that was never shown saves the frame it was given, not its
// client area: a legend left closed must not shrink by its frame every run.
TEST_F(QtWindowPlacementTest, WindowNeverShownSavesTheFrameItWasGiven) {
  WriteRect(settings_, kSection, QRect(40, 50, 300, 200));
  QWidget hidden;
  LoadWindowPlacement(&settings_, hidden, kSection, 100, 100, true, true);
  SaveWindowPlacement(&settings_, hidden, kSection);
  EXPECT_EQ(SavedRect(settings_, kSection), QRect(40, 50, 300, 200));

  QWidget shown;
  LoadWindowPlacement(&settings_, shown, kSection, 100, 100, true, true);
  ShowDecorated(shown);
  shown.hide();
  SaveWindowPlacement(&settings_, shown, kSection);
  EXPECT_EQ(SavedRect(settings_, kSection), QRect(40, 50, 300, 200));
}

}  // namespace
