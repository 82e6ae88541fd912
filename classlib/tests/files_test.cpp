// Files: Pascal-style text files and their failures, streams, string-list
// files, and the file and folder helpers, on a scratch folder (with a
// Cyrillic name, as the recording folders have).
#include <gtest/gtest.h>

#ifdef _WIN32
#include "classlib/WinApi.h"
#else
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#endif

#include "classlib/Classes.h"
#include "classlib/Cp1251.h"
#include "classlib/TextFile.h"
#include "classlib/tests/support/ScratchFolder.h"

namespace {

class Files : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = IncludeTrailingPathDelimiter(
        GetTempDir() + "classlib_" +
        ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_РУССКОЕ");
    test_support::RemoveTree(dir_);
    ASSERT_TRUE(ForceDirectories(dir_));
  }
  void TearDown() override { test_support::RemoveTree(dir_); }
  std::string Read(const std::string& name) {
    TMemoryStream m;
    m.LoadFromFile(name);
    return std::string(static_cast<char*>(m.Memory()), static_cast<size_t>(m.Size()));
  }
  void Put(const std::string& name, const std::string& bytes) {
    TFileStream f(name, fmCreate);
    f.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  }
  std::string dir_;
};

int CodeOf(const std::function<void()>& op) {
  try {
    op();
  } catch (const EInOutError& e) { return e.ErrorCode; }
  return 0;
}

} // namespace

TEST_F(Files, TextFileWritesCrLfLinesAndReadsThemBack) {
  std::string name = dir_ + "kdr.ini";
  TTextFile f;
  f.AssignFile(name);
  f.Rewrite();
  f.WriteLn("128");
  f.WriteLn("C:\\AUDIO\\TEMP\\Песня.mp3");
  f.Write("no end");
  f.CloseFile();
  EXPECT_EQ(Read(name), "128\r\nC:\\AUDIO\\TEMP\\Песня.mp3\r\nno end");
  f.Append();
  f.WriteLn("");
  f.CloseFile();
  f.Reset();
  EXPECT_EQ(f.ReadLn(), "128");
  EXPECT_EQ(f.ReadLn(), "C:\\AUDIO\\TEMP\\Песня.mp3");
  EXPECT_FALSE(f.Eof());
  EXPECT_EQ(f.ReadLn(), "no end");
  EXPECT_TRUE(f.Eof());
  EXPECT_EQ(f.ReadLn(), ""); // past the end: empty lines, no error
  f.CloseFile();
}

TEST_F(Files, TextFileAcceptsLfAndCrAndLongLines) {
  std::string name = dir_ + "mixed.txt";
  std::string longLine(200000, 'x');
  Put(name, "a\nb\rc\r\n" + longLine + "\r\n\r\n");
  TTextFile f(name);
  f.Reset();
  std::vector<std::string> lines;
  while (!f.Eof()) lines.push_back(f.ReadLn());
  f.CloseFile();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[2], "c");
  EXPECT_EQ(lines[3], longLine);
  EXPECT_EQ(lines[4], "");
}

TEST_F(Files, TextFileFailuresRaiseWithCodes) {
  TTextFile f;
  EXPECT_EQ(CodeOf([&] { f.Reset(); }), 102); // no name
  f.AssignFile(dir_ + "missing.ini");
  EXPECT_EQ(CodeOf([&] { f.Reset(); }), 2); // not found
  EXPECT_EQ(CodeOf([&] { f.Append(); }), 2);
  EXPECT_EQ(CodeOf([&] { f.ReadLn(); }), 103); // not open
  EXPECT_EQ(CodeOf([&] { f.Eof(); }), 103);
  EXPECT_EQ(CodeOf([&] { f.CloseFile(); }), 103);
  f.AssignFile(dir_ + "no_such_dir" + PathDelim + "x.ini");
  int code = CodeOf([&] { f.Rewrite(); });
  EXPECT_TRUE(code == 2 || code == 3) << code;
  f.AssignFile(dir_ + "out.txt");
  f.Rewrite();
  EXPECT_EQ(CodeOf([&] { f.ReadLn(); }), 104); // written file can't be read
  f.CloseFile();
  f.Reset();
  EXPECT_EQ(CodeOf([&] { f.WriteLn("x"); }), 105); // read file can't be written
  f.CloseFile();
  // A folder is not a text file.
  f.AssignFile(ExcludeTrailingPathDelimiter(dir_));
  EXPECT_NE(CodeOf([&] { f.Reset(); }), 0);
  try {
    TTextFile g(dir_ + "missing.ini");
    g.Reset();
  } catch (const EInOutError& e) {
    EXPECT_NE(e.Message().find("missing.ini"), std::string::npos) << e.Message();
  }
}

TEST_F(Files, StringListFilesRoundTripAndFailLoudly) {
  TStringList l;
  l.Add("http://127.0.0.1:8000/stream");
  l.Add("Радио Ромашка");
  l.Add("");
  l.SaveToFile(dir_ + "k1.ini");
  EXPECT_EQ(Read(dir_ + "k1.ini"), "http://127.0.0.1:8000/stream\r\nРадио Ромашка\r\n\r\n");
  TStringList m;
  m.Add("old");
  m.LoadFromFile(dir_ + "k1.ini");
  EXPECT_EQ(m.Text(), l.Text());
  int changes = 0;
  m.OnChange = [&](TObject*) { ++changes; };
  EXPECT_THROW(m.LoadFromFile(dir_ + "absent.ini"), EInOutError);
  EXPECT_EQ(m.Count(), 3); // a failed load keeps the list
  EXPECT_EQ(m.UpdateCount(), 0);
  EXPECT_THROW(l.SaveToFile(dir_ + "nodir" + PathDelim + "x.ini"), EFCreateError);
}

void SetReadOnly(const std::string& name, bool on) {
#ifdef _WIN32
  SetFileAttributesW(Cp1251ToWide(name).c_str(),
                     on ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
#else
  chmod(name.c_str(), on ? 0444 : 0644);
#endif
}

TEST_F(Files, ReplacingAFileKeepsTheOldOneWholeWhenAnyStepFails) {
  const std::string name = dir_ + "k1.ini";
  classlib::WriteFileReplacing(name, "new\r\n"); // no old file yet
  EXPECT_EQ(Read(name), "new\r\n");
  classlib::WriteFileReplacing(name, ""); // an empty list is a valid content
  EXPECT_EQ(Read(name), "");
  Put(name, "old\r\n");
  classlib::WriteFileReplacing(name, "replaced\r\n");
  EXPECT_EQ(Read(name), "replaced\r\n");
  EXPECT_FALSE(FileExists(name + ".tmp"));

  // A read-only file is not replaced; the failure names the file.
  SetReadOnly(name, true);
  try {
    classlib::WriteFileReplacing(name, "lost?");
    ADD_FAILURE() << "a read-only file was replaced";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode, 5);
    EXPECT_NE(e.Message().find("k1.ini"), std::string::npos) << e.Message();
  }
  SetReadOnly(name, false);
  EXPECT_EQ(Read(name), "replaced\r\n");
  EXPECT_FALSE(FileExists(name + ".tmp"));

  // The folder is gone: nothing can be written, and that is reported.
  const std::string gone = dir_ + "gone" + PathDelim + "zap.ini";
  EXPECT_NE(CodeOf([&] { classlib::WriteFileReplacing(gone, "TRUE\r\n"); }), 0);
  EXPECT_FALSE(FileExists(gone));
}

#ifndef _WIN32
TEST_F(Files, ReplacingAFileKeepsTheOldOneWhenTheDiskFillsUp) {
  const std::string name = dir_ + "favoritkanel.ini";
  const std::string old = "addr-1\r\nJazz A\r\n\r\n";
  Put(name, old);
  // A file size limit makes the write stop part-way, as a full disk does.
  rlimit was{};
  getrlimit(RLIMIT_FSIZE, &was);
  auto handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = was;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  int code = CodeOf([&] { classlib::WriteFileReplacing(name, std::string(100000, 'x')); });
  setrlimit(RLIMIT_FSIZE, &was);
  std::signal(SIGXFSZ, handler);
  EXPECT_EQ(code, 101);
  EXPECT_EQ(Read(name), old);
  EXPECT_FALSE(FileExists(name + ".tmp"));
}
#endif

TEST_F(Files, StreamsReadWriteSeekAndResize) {
  TMemoryStream m;
  m.WriteBuffer("hello", 5);
  EXPECT_EQ(m.Size(), 5);
  m.SetPosition(8);
  m.WriteBuffer("!", 1); // writing past the end fills with zeros
  EXPECT_EQ(m.Size(), 9);
  EXPECT_EQ(static_cast<char*>(m.Memory())[6], '\0');
  m.SetPosition(0);
  char buf[16] = {};
  EXPECT_EQ(m.Read(buf, 16), 9);
  m.SetSize(2);
  EXPECT_EQ(m.Position(), 2);
  m.SetPosition(0);
  EXPECT_THROW(m.ReadBuffer(buf, 3), EReadError);
  m.SaveToFile(dir_ + "m.bin");
  EXPECT_EQ(FileSize(dir_ + "m.bin"), 2);

  TFileStream f(dir_ + "m.bin", fmOpenReadWrite);
  f.Seek(0, soEnd);
  f.WriteBuffer("xyz", 3);
  EXPECT_EQ(f.Size(), 5);
  f.SetSize(1);
  EXPECT_EQ(f.Size(), 1);
  EXPECT_THROW(TFileStream(dir_ + "nope.bin", fmOpenRead), EFOpenError);
  TMemoryStream copy;
  f.SetPosition(0);
  copy.CopyFrom(f, 0);
  EXPECT_EQ(copy.Size(), 1);
}

#ifdef _WIN32
TEST_F(Files, NamesOutsideTheCodePageStillNameTheirFiles) {
  // "Łódź": Ł, ó and ź; Ł and ź are not in Windows-1251.
  const std::wstring folder = Cp1251ToWide(dir_) + L"\x0141\x00F3d\x017A";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  HANDLE h = CreateFileW((folder + L"\\a.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  wchar_t was[MAX_PATH + 1];
  GetCurrentDirectoryW(MAX_PATH + 1, was);
  ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));
  const std::string here = GetCurrentDir();
  SetCurrentDirectoryW(was);
  EXPECT_TRUE(FileExists(here + "\\a.txt")) << here;
  TSearchRec r;
  ASSERT_EQ(FindFirst(dir_ + "*", faDirectory, r), 0);
  std::string name;
  do
    if (r.Attr & faDirectory) name = r.Name;
  while (FindNext(r) == 0);
  FindClose(r);
  EXPECT_TRUE(DirectoryExists(dir_ + name)) << name;
  DeleteFileW((folder + L"\\a.txt").c_str());
  RemoveDirectoryW(folder.c_str());
}
#endif

TEST_F(Files, FileAndFolderHelpers) {
  std::string deep = dir_ + "AUDIO" + PathDelim + "Станция" + PathDelim + "07-03-2025" + PathDelim;
  EXPECT_TRUE(ForceDirectories(deep));
  EXPECT_TRUE(DirectoryExists(deep));
  EXPECT_TRUE(ForceDirectories(deep)); // already there
  Put(deep + "a.mp3", std::string(1000, 'a'));
  EXPECT_TRUE(FileExists(deep + "a.mp3"));
  EXPECT_FALSE(FileExists(deep));
  EXPECT_FALSE(DirectoryExists(deep + "a.mp3"));
  EXPECT_EQ(FileSize(deep + "a.mp3"), 1000);
  EXPECT_EQ(FileSize(deep + "none.mp3"), -1);
  EXPECT_TRUE(RenameFile(deep + "a.mp3", deep + "b.MP3"));
  Put(deep + "c.txt", "c");
  TSearchRec r;
  std::vector<std::string> found;
  ASSERT_EQ(FindFirst(deep + "*.mp3", faAnyFile, r), 0);
  do found.push_back(r.Name + ":" + IntToStr(r.Size));
  while (FindNext(r) == 0);
  FindClose(r);
  EXPECT_EQ(found, (std::vector<std::string>{"b.MP3:1000"}));
  // Without faDirectory, folders are skipped.
  Put(dir_ + "top.txt", "t");
  ASSERT_EQ(FindFirst(dir_ + "*", 0, r), 0);
  EXPECT_EQ(r.Name, "top.txt");
  EXPECT_NE(FindNext(r), 0);
  EXPECT_NE(FindFirst(dir_ + "*.none", faAnyFile, r), 0);
  EXPECT_TRUE(DeleteFile(deep + "b.MP3"));
  EXPECT_FALSE(DeleteFile(deep + "b.MP3"));
  EXPECT_FALSE(GetTempDir().empty());
  EXPECT_TRUE(IsPathDelimiter(GetTempDir().back()));
  EXPECT_TRUE(FileExists(ParamStr(0)));
}
