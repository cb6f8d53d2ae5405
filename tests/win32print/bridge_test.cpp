// The View data dialog's Preview, Print and Printer setup buttons, pressed in a library
// loaded by path as hosts load it: each press hands the page and the typed table name to
// the printer DLL in the calls' fixed order; the legacy library has no printer and its
// buttons do nothing. The printer's call log and its pages as metafiles show what arrived.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "export_name.h"
#include "metafile_reader.h"
#include "quorlin.h"
#include "temp_dir.h"
#include "test_printer.h"
#include "window_capture.h"
#include "window_watcher.h"

namespace quorlin::test {
namespace {

constexpr int kTableNameEdit = 1045;
constexpr int kPreviewButton = 22002;
constexpr int kPrinterSetupButton = 22003;
constexpr int kPrintButton = 22004;

// The exports the cases call, from the library named by an environment variable.
class Library {
 public:
  explicit Library(const char* variable) {
    const char* path = std::getenv(variable);
    m_module = path != nullptr ? LoadLibraryA(path) : nullptr;
    if (m_module == nullptr) return;
    Resolve(connect, "SQLConnectToDatabase");
    Resolve(execute, "SQLExcute");
    Resolve(select, "SQLSelectToTable");
    Resolve(display, "SQLDisplay");
    Resolve(lastError, "SQLLastError");
    Resolve(cleanup, "SQLCleanup");
  }
  ~Library() {
    if (m_module != nullptr) FreeLibrary(m_module);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  bool Loaded() const { return m_module != nullptr && cleanup != nullptr; }

  decltype(&::SQLConnectToDatabase) connect = nullptr;
  decltype(&::SQLExcute) execute = nullptr;
  decltype(&::SQLSelectToTable) select = nullptr;
  decltype(&::SQLDisplay) display = nullptr;
  decltype(&::SQLLastError) lastError = nullptr;
  decltype(&::SQLCleanup) cleanup = nullptr;

 private:
  template <typename Function>
  void Resolve(Function& function, const char* name) {
    const std::string exported = ExportName(name, Function{});
    function = reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(m_module, exported.c_str())));
  }
  HMODULE m_module = nullptr;
};

std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> PageCalls(const std::string& output) {
  return {"CreatePLPrinter()",
          "SetListControl(2 columns, 5 rows)",
          "SetTableName(\"Typed name\", 1)",
          "SetOptionA(1)",
          "SetOptionB(1, 0)",
          "SetOptionC(1, 0)",
          output,
          "DeletePLPrinter()"};
}

// English in the full library under an English interface; the legacy one is Chinese only.
HWND ViewDataDialog() {
  HWND english = FindProcessWindow(L"#32770", L"View data");
  return english != nullptr ? english : FindProcessWindow(L"#32770", L"查看数据");
}

struct DialogSearch {
  HWND known;
  HWND found;
};

// EnumWindows calls back with the system's calling convention (stdcall on 32-bit Windows),
// which a lambda cannot have.
BOOL CALLBACK ConsiderDialog(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<DialogSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (window == search->known || process != GetCurrentProcessId() || !IsWindowVisible(window) ||
      std::wstring(className) != L"#32770") {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

// A visible dialog of this process other than the given one; null when there is none.
HWND OtherDialogThan(HWND known) {
  DialogSearch search{known, nullptr};
  EnumWindows(ConsiderDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Presses a button of the dialog (sent as its click notice, which reaches hidden buttons
// too) once the dialog is there, then closes the dialog.
bool PressThenClose(int button, const std::wstring& typedName) {
  HWND dialog = ViewDataDialog();
  if (dialog == nullptr) return false;
  SendMessageW(GetDlgItem(dialog, kTableNameEdit), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(typedName.c_str()));
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0, SMTO_NORMAL, 20000,
                      &ignored);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  return true;
}

class PrinterButtons : public ::testing::Test {
 protected:
  void Open(const char* libraryVariable) {
    m_library = std::make_unique<Library>(libraryVariable);
    ASSERT_TRUE(m_library->Loaded()) << libraryVariable << " names no loadable library";
    m_id = m_library->connect(("Driver=SQLite3;Database=" + m_dir.Path("print.db")).c_str());
    ASSERT_GE(m_id, 0) << LastError();
    m_library->execute(m_id, "CREATE TABLE T (ID INTEGER, Name CHAR(20))");
    for (int id = 1; id <= 12; ++id) {
      const std::string values = std::to_string(id) + ", 'name " + std::to_string(id) + "'";
      m_library->execute(m_id, ("INSERT INTO T VALUES (" + values + ")").c_str());
    }
    ASSERT_EQ(m_library->select(m_id, "T", "ID > 0"), 0) << LastError();
    _putenv_s("MIRVALE_CALL_LOG", m_log.c_str());
    _putenv_s("MIRVALE_EMF_OUTPUT", m_page.c_str());
  }
  void TearDown() override {
    _putenv_s("MIRVALE_CALL_LOG", "");
    _putenv_s("MIRVALE_EMF_OUTPUT", "");
    if (m_library && m_library->Loaded()) m_library->cleanup();
  }
  std::string LastError() const {
    char text[QUORLIN_LAST_ERROR_SIZE] = {};
    m_library->lastError(text, sizeof text);
    return text;
  }
  // Shows five rows a page and presses the button on the first page.
  void Press(int button) {
    WindowWatcher operatorHand([button] { return PressThenClose(button, L"Typed name"); });
    m_library->display(5);
    EXPECT_TRUE(operatorHand.Done()) << "the View data dialog did not appear";
  }

  TempDir m_dir;
  std::string m_log = m_dir.Path("calls.log");
  std::string m_page = m_dir.Path("page.emf");
  std::unique_ptr<Library> m_library;
  int m_id = -1;
};

TEST_F(PrinterButtons, PreviewAndPrintHandTheShownPageAndTheTypedNameInOrder) {
  Open("QUORLIN_WIN32PRINT_FULL");
  for (const auto& [button, output] :
       {std::pair{kPreviewButton, "Preview()"}, std::pair{kPrintButton, "Print()"}}) {
    std::remove(m_log.c_str());
    std::remove(m_page.c_str());
    m_library->select(m_id, "T", "ID > 0");
    Press(button);
    EXPECT_EQ(Lines(m_log), PageCalls(output)) << output;
    const MetafilePage page =
        ReadMetafile(m_page, ArtefactPath(std::string("bridge_") +
                                          (button == kPrintButton ? "print" : "preview") + ".bmp"));
    ASSERT_TRUE(page.readable) << output;
    EXPECT_TRUE(HasText(page, "Typed name"));
    EXPECT_TRUE(HasText(page, "ID") && HasText(page, "Name"));
    EXPECT_TRUE(HasText(page, "name 5"));
    EXPECT_FALSE(HasText(page, "name 6")) << "only the page the list shows";
  }
}

TEST_F(PrinterButtons, PrinterSetupPassesTheFixedSettingsPathAndNothingElse) {
  ASSERT_TRUE(InstallFilePrinter());
  Open("QUORLIN_WIN32PRINT_FULL");
  bool setupShown = false;
  WindowWatcher operatorHand([&] {
    HWND dialog = ViewDataDialog();
    if (dialog == nullptr) return false;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(kPrinterSetupButton, BN_CLICKED), 0);
    // The page-setup dialog is the process's other dialog, whatever the system calls it.
    for (int wait = 0; wait < 100 && !setupShown; ++wait, Sleep(100)) {
      HWND setup = OtherDialogThan(dialog);
      setupShown = setup != nullptr;
      if (setupShown) PostMessageW(setup, WM_COMMAND, IDCANCEL, 0);
    }
    Sleep(300);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return true;
  });
  m_library->display(5);
  ASSERT_TRUE(operatorHand.Done());
  EXPECT_TRUE(setupShown) << "no page-setup dialog";
  const std::vector<std::string> expected = {"CreatePLPrinter()", "PrinterSetup(\"d:\\test.ini\")",
                                             "DeletePLPrinter()"};
  EXPECT_EQ(Lines(m_log), expected);
}

TEST_F(PrinterButtons, LegacyLibraryHasNoPrinterAndItsButtonsDoNothing) {
  Open("QUORLIN_WIN32PRINT_LEGACY");
  const std::string before = LastError();
  for (int button : {kPreviewButton, kPrinterSetupButton, kPrintButton}) {
    m_library->select(m_id, "T", "ID > 0");
    Press(button);
  }
  EXPECT_TRUE(Lines(m_log).empty()) << "the legacy library never reaches a printer";
  EXPECT_EQ(LastError(), before) << "and reports nothing";
}

}  // namespace
}  // namespace quorlin::test
