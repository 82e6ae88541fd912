// The recording-settings dialog under Wine, driven with real clicks and
// keys: its file read at creation with each failure reported, the two modes
// with the bitrate panel and the window's height, "Применить" writing the
// file, and the choice the recording engine reads.
#include <gtest/gtest.h>
#include "classlib/WinApi.h"

#include <atomic>
#include <thread>

#include "classlib/Cp1251.h"
#include "player/Unit5.h"
#include "player/tests/win/PlayerTestFolder.h"

using namespace testinput;

namespace {

class RecordSettingsWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Application->Initialize();
    ProcessHook = [] { Application->ProcessMessages(); };
  }
  void TearDown() override {
    if (Form5) Form5->Free();
    Form5 = nullptr;
  }
  // Creates the dialog as the program does and shows it in front.
  void Open() {
    Form5 = New<TForm5>(Application);
    Form5->Show();
    Activate(Form5->Handle());
  }
  static int ClientHeight() {
    RECT r;
    GetClientRect(Form5->Handle(), &r);
    return r.bottom;
  }
  static int WindowHeight() {
    RECT r;
    GetWindowRect(Form5->Handle(), &r);
    return r.bottom - r.top;
  }
  PlayerTestFolder folder_{"korvalis_record_settings"};
};

TEST_F(RecordSettingsWindow, OwnSettingsFromTheFileThenChangedByHandAndApplied) {
  folder_.Put("zap.ini", "FALSE\r\n3\r\n\r\n");
  BoxRecorder boxes;
  Open();
  EXPECT_TRUE(boxes.texts.empty());
  EXPECT_EQ(WindowText(Form5->Handle()), L"Настройки записи");
  EXPECT_TRUE(Form5->sRadioButton2->Checked());
  EXPECT_TRUE(IsWindowVisible(Form5->sPanel1->Handle()));
  EXPECT_EQ(Form5->sComboBox1->GetText(), "224");
  EXPECT_EQ(WindowHeight(), 304);
  EXPECT_EQ(Form5->sPanel2->Top(), 65 + 73);
  EXPECT_FALSE(CurrentRecordChoice().AsReceived);
  EXPECT_EQ(CurrentRecordChoice().Bitrate, "224");
  Screenshot(Form5->Handle(), "Form5_own_settings.bmp");

  // As received: the panel goes and the window fits its controls.
  Click(Form5->sRadioButton1->Handle(), 8, 10);
  EXPECT_TRUE(Form5->sRadioButton1->Checked());
  EXPECT_FALSE(Form5->sPanel1->Visible());
  EXPECT_EQ(Form5->sPanel2->Top(), 65);
  EXPECT_EQ(ClientHeight(), 65 + 41);
  EXPECT_TRUE(CurrentRecordChoice().AsReceived);
  Screenshot(Form5->Handle(), "Form5_as_received.bmp");

  // Own settings again, "256" picked from the list with the keyboard.
  Click(Form5->sRadioButton2->Handle(), 8, 10);
  EXPECT_EQ(WindowHeight(), 304);
  Click(Form5->sComboBox1->Handle(), 10, 10);
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_EQ(Form5->sComboBox1->GetText(), "256");
  Screenshot(Form5->Handle(), "Form5_bitrate_chosen.bmp");
  RecordChoice c = CurrentRecordChoice();
  EXPECT_FALSE(c.AsReceived);
  EXPECT_EQ(c.Bitrate, "256");
  // Nothing is written before "Применить".
  EXPECT_EQ(folder_.Read("zap.ini"), "FALSE\r\n3\r\n\r\n");
  ClickCentre(Form5->sButton1->Handle());
  EXPECT_EQ(folder_.Read("zap.ini"), "FALSE\r\n4\r\n\r\n");
  EXPECT_FALSE(IsWindowVisible(Form5->Handle()));
  EXPECT_TRUE(boxes.texts.empty());

  // Made again, as at the next start of the player: the choice is kept.
  Form5->Free();
  PublishRecordChoice({});
  Open();
  EXPECT_TRUE(Form5->sRadioButton2->Checked());
  EXPECT_EQ(Form5->sComboBox1->GetText(), "256");
  EXPECT_EQ(WindowHeight(), 304);
  EXPECT_EQ(CurrentRecordChoice().Bitrate, "256");
}

TEST_F(RecordSettingsWindow, ShownModallyUntilApplied) {
  folder_.Put("zap.ini", "TRUE\r\n0\r\n\r\n");
  Form5 = New<TForm5>(Application);
  // The dialog's own loop runs while a person clicks "Применить".
  // A click can be swallowed while the system is still bringing the dialog to
  // the front, so the person clicks again until it goes; after ten seconds
  // the dialog is closed, so that a dialog deaf to clicks fails the test
  // instead of hanging it.
  // The windows are made here: a handle first asked for on the person's
  // thread would make the window there, away from the dialog's loop.
  const HWND dialog = Form5->Handle();
  const HWND apply = Form5->sButton1->Handle();
  std::atomic<bool> gave_up{false};
  std::thread person([&gave_up, dialog, apply] {
    for (int i = 0; i < 1000 && !IsWindowVisible(dialog); ++i) Sleep(10);
    for (int attempt = 0; attempt < 20 && IsWindowVisible(dialog); ++attempt) {
      Sleep(500);
      if (!IsWindowVisible(dialog)) break;
      RECT r;
      GetWindowRect(apply, &r);
      SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
      INPUT in[3]{};
      in[0].type = in[1].type = in[2].type = INPUT_MOUSE;
      in[0].mi.dwFlags = MOUSEEVENTF_MOVE;
      in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
      in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
      SendInput(3, in, sizeof(INPUT));
    }
    if (IsWindowVisible(dialog)) {
      gave_up = true;
      PostMessageW(dialog, WM_CLOSE, 0, 0);
    }
  });
  Form5->ShowModal();
  person.join();
  EXPECT_FALSE(gave_up) << "the dialog did not answer the clicks on its button";
  EXPECT_FALSE(Form5->Visible());
  EXPECT_EQ(folder_.Read("zap.ini"), "TRUE\r\n0\r\n\r\n");
}

TEST_F(RecordSettingsWindow, FailuresAreReportedAndKeepWhatCouldBeRead) {
  BoxRecorder boxes;
  // No file: reported, the form's own choice stays.
  folder_.Remove("zap.ini");
  Open();
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find("zap.ini"), std::string::npos) << boxes.texts[0];
  EXPECT_TRUE(Form5->sRadioButton1->Checked());
  EXPECT_EQ(Form5->sComboBox1->GetText(), "96");
  EXPECT_TRUE(CurrentRecordChoice().AsReceived);
  Form5->Free();

  // A second line that is no bitrate index: reported, the mode still taken.
  for (const char* bad : {"abc", "7"}) {
    boxes.texts.clear();
    folder_.Put("zap.ini", std::string("FALSE\r\n") + bad + "\r\n\r\n");
    Open();
    EXPECT_EQ(boxes.texts.size(), 1u) << bad;
    EXPECT_TRUE(Form5->sRadioButton2->Checked()) << bad;
    EXPECT_EQ(WindowHeight(), 304) << bad;
    EXPECT_EQ(Form5->sComboBox1->GetText(), "96") << bad;
    Form5->Free();
  }

  // An empty first line leaves the mode as the form has it.
  boxes.texts.clear();
  folder_.Put("zap.ini", "\r\n2\r\n\r\n");
  Open();
  EXPECT_TRUE(boxes.texts.empty());
  EXPECT_TRUE(Form5->sRadioButton1->Checked());
  EXPECT_EQ(Form5->sComboBox1->GetText(), "192");

  // A file that can't be replaced: reported, the old one stays whole.
  folder_.SetReadOnly("zap.ini", true);
  Click(Form5->sRadioButton2->Handle(), 8, 10);
  ClickCentre(Form5->sButton1->Handle());
  EXPECT_EQ(boxes.texts.size(), 1u);
  folder_.SetReadOnly("zap.ini", false);
  EXPECT_EQ(folder_.Read("zap.ini"), "\r\n2\r\n\r\n");
}

} // namespace
