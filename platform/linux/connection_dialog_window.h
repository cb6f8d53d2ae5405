#pragma once

#include <wx/dialog.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/linux/connection_attempt.h"
#include "platform/linux/connection_form.h"

class wxButton;
class wxChoice;
class wxFlexGridSizer;
class wxRadioButton;
class wxStaticText;
class wxTextCtrl;

namespace quorlin::platform {

// The connection dialog: the operator picks a data source or a driver, fills in the
// attributes it needs, may test the connection (the dialog stays open whatever the
// outcome, showing the driver's message), and confirms with OK. Controls carry names that
// say what they hold (see the constants below), for hosts' and tests' automation.
class ConnectionDialog : public wxDialog {
 public:
  using ConnectionTester = std::function<ConnectionTestResult(const std::string& connect)>;

  static constexpr char kDialogName[] = "QuorlinConnectionDialog";
  static constexpr char kUseDataSourceName[] = "UseDataSource";
  static constexpr char kUseDriverName[] = "UseDriver";
  static constexpr char kDataSourceName[] = "DataSource";
  static constexpr char kDriverName[] = "Driver";
  // The attribute fields are named after their keywords (Database, Server, Port, UID, PWD).
  static constexpr char kFurtherAttributesName[] = "FurtherAttributes";
  static constexpr char kBrowseName[] = "Browse";
  static constexpr char kTestName[] = "Test";
  static constexpr char kStatusName[] = "Status";

  // start: a connect string whose source and attributes preselect the controls.
  ConnectionDialog(wxWindow* parent, std::vector<ConnectionSource> dataSources,
                   std::vector<ConnectionSource> drivers, const std::string& start,
                   ConnectionTester tester);

  // The connect string the controls make now (in the process code page).
  std::string ConnectString() const;

 private:
  void CreateControls();
  wxTextCtrl* AddField(wxFlexGridSizer& grid, const std::string& key, const wxString& label,
                       long style);
  void Preselect(const std::string& start);
  const ConnectionSource* ChosenSource() const;
  void ShowFieldsOfChosenSource();
  void ShowStatus(const wxString& text);

  void OnSourceKindChanged(wxCommandEvent& event);
  void OnSourceChanged(wxCommandEvent& event);
  void OnBrowse(wxCommandEvent& event);
  void OnTest(wxCommandEvent& event);

  std::vector<ConnectionSource> m_dataSources;
  std::vector<ConnectionSource> m_drivers;
  ConnectionTester m_tester;

  wxRadioButton* m_useDataSource = nullptr;
  wxRadioButton* m_useDriver = nullptr;
  wxChoice* m_dataSourceChoice = nullptr;
  wxChoice* m_driverChoice = nullptr;
  // Each attribute field with its label, by keyword.
  std::map<std::string, std::pair<wxStaticText*, wxTextCtrl*>> m_fields;
  wxButton* m_browse = nullptr;
  wxTextCtrl* m_furtherAttributes = nullptr;
  wxTextCtrl* m_status = nullptr;
  wxButton* m_test = nullptr;
  wxButton* m_ok = nullptr;
};

}  // namespace quorlin::platform
