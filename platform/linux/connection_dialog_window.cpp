#include "platform/linux/connection_dialog_window.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <algorithm>
#include <exception>

#include "platform/linux/host_text.h"
#include "platform/linux/toolkit_text.h"
#include "platform/text.h"

namespace quorlin::platform {
namespace {

constexpr int kGap = 8;
constexpr int kChoiceWidth = 320;
constexpr int kStatusLines = 4;

bool IsSourceKey(const std::string& key) {
  return MbsIEqual(key, "DSN") || MbsIEqual(key, "DRIVER");
}

std::string WithoutBraces(const std::string& value) {
  const std::string trimmed = Trim(value);
  if (trimmed.size() >= 2 && trimmed.front() == '{' && trimmed.back() == '}') {
    return trimmed.substr(1, trimmed.size() - 2);
  }
  return trimmed;
}

int IndexOf(const std::vector<ConnectionSource>& sources, const std::string& name) {
  for (std::size_t index = 0; index < sources.size(); ++index) {
    if (MbsIEqual(sources[index].name, name)) return static_cast<int>(index);
  }
  return wxNOT_FOUND;
}

void FillChoice(wxChoice& choice, const std::vector<ConnectionSource>& sources) {
  for (const ConnectionSource& source : sources) choice.Append(ToToolkitText(source.name));
  if (!sources.empty()) choice.SetSelection(0);
}

bool IsKnownDefaultPort(const wxString& port) {
  return port.empty() || port == "5432" || port == "3306" || port == "1433";
}

}  // namespace

ConnectionDialog::ConnectionDialog(wxWindow* parent, std::vector<ConnectionSource> dataSources,
                                   std::vector<ConnectionSource> drivers, const std::string& start,
                                   ConnectionTester tester)
    : wxDialog(parent, wxID_ANY, "Connect to a database", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER, kDialogName),
      m_dataSources(std::move(dataSources)),
      m_drivers(std::move(drivers)),
      m_tester(std::move(tester)) {
  CreateControls();
  Preselect(start);
  ShowFieldsOfChosenSource();
  if (m_dataSources.empty() && m_drivers.empty()) {
    ShowStatus("No ODBC data source or driver is installed (odbcinst -q -d lists the drivers).");
  }
  Centre();
}

void ConnectionDialog::CreateControls() {
  auto* top = new wxBoxSizer(wxVERTICAL);

  auto* sources = new wxFlexGridSizer(2, wxSize(kGap, kGap));
  sources->AddGrowableCol(1);
  m_useDataSource =
      new wxRadioButton(this, wxID_ANY, "&Data source:", wxDefaultPosition, wxDefaultSize,
                        wxRB_GROUP, wxDefaultValidator, kUseDataSourceName);
  m_dataSourceChoice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxSize(kChoiceWidth, -1), 0,
                                    nullptr, 0, wxDefaultValidator, kDataSourceName);
  m_useDriver = new wxRadioButton(this, wxID_ANY, "D&river:", wxDefaultPosition, wxDefaultSize, 0,
                                  wxDefaultValidator, kUseDriverName);
  m_driverChoice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxSize(kChoiceWidth, -1), 0,
                                nullptr, 0, wxDefaultValidator, kDriverName);
  FillChoice(*m_dataSourceChoice, m_dataSources);
  FillChoice(*m_driverChoice, m_drivers);
  sources->Add(m_useDataSource, wxSizerFlags().CentreVertical());
  sources->Add(m_dataSourceChoice, wxSizerFlags().Expand());
  sources->Add(m_useDriver, wxSizerFlags().CentreVertical());
  sources->Add(m_driverChoice, wxSizerFlags().Expand());
  top->Add(sources, wxSizerFlags().Expand().Border(wxALL, kGap));

  auto* connection = new wxStaticBoxSizer(wxVERTICAL, this, "Connection");
  auto* fields = new wxFlexGridSizer(2, wxSize(kGap, kGap));
  fields->AddGrowableCol(1);
  AddField(*fields, kServerKey, "&Server:", 0);
  AddField(*fields, kPortKey, "P&ort:", 0);
  AddField(*fields, kDatabaseKey, "Data&base:", 0);
  AddField(*fields, kUserKey, "&User name:", 0);
  AddField(*fields, kPasswordKey, "&Password:", wxTE_PASSWORD);
  connection->Add(fields, wxSizerFlags().Expand().Border(wxALL, kGap));
  top->Add(connection, wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT, kGap));

  auto* further = new wxBoxSizer(wxVERTICAL);
  further->Add(new wxStaticText(this, wxID_ANY, "&Other attributes (key=value;key=value):"));
  m_furtherAttributes =
      new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0,
                     wxDefaultValidator, kFurtherAttributesName);
  further->Add(m_furtherAttributes, wxSizerFlags().Expand().Border(wxTOP, kGap / 2));
  top->Add(further, wxSizerFlags().Expand().Border(wxALL, kGap));

  m_status = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                            wxTE_MULTILINE | wxTE_READONLY | wxTE_WORDWRAP, wxDefaultValidator,
                            kStatusName);
  m_status->SetMinSize(wxSize(-1, m_status->GetCharHeight() * (kStatusLines + 1)));
  top->Add(m_status, wxSizerFlags(1).Expand().Border(wxLEFT | wxRIGHT, kGap));

  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  m_test = new wxButton(this, wxID_ANY, "&Test", wxDefaultPosition, wxDefaultSize, 0,
                        wxDefaultValidator, kTestName);
  m_ok = new wxButton(this, wxID_OK);
  m_ok->SetDefault();
  buttons->Add(m_test);
  buttons->AddStretchSpacer();
  buttons->Add(m_ok, wxSizerFlags().Border(wxRIGHT, kGap));
  buttons->Add(new wxButton(this, wxID_CANCEL));
  top->Add(buttons, wxSizerFlags().Expand().Border(wxALL, kGap));
  SetSizerAndFit(top);

  m_useDataSource->Bind(wxEVT_RADIOBUTTON, &ConnectionDialog::OnSourceKindChanged, this);
  m_useDriver->Bind(wxEVT_RADIOBUTTON, &ConnectionDialog::OnSourceKindChanged, this);
  m_dataSourceChoice->Bind(wxEVT_CHOICE, &ConnectionDialog::OnSourceChanged, this);
  m_driverChoice->Bind(wxEVT_CHOICE, &ConnectionDialog::OnSourceChanged, this);
  m_test->Bind(wxEVT_BUTTON, &ConnectionDialog::OnTest, this);
}

wxTextCtrl* ConnectionDialog::AddField(wxFlexGridSizer& grid, const std::string& key,
                                       const wxString& label, long style) {
  auto* caption = new wxStaticText(this, wxID_ANY, label);
  auto* text = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                              style, wxDefaultValidator, key);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(text, wxSizerFlags(1).CentreVertical());
  if (key == kDatabaseKey) {
    m_browse = new wxButton(this, wxID_ANY, "Bro&wse...", wxDefaultPosition, wxDefaultSize, 0,
                            wxDefaultValidator, kBrowseName);
    m_browse->Bind(wxEVT_BUTTON, &ConnectionDialog::OnBrowse, this);
    row->Add(m_browse, wxSizerFlags().CentreVertical().Border(wxLEFT, kGap / 2));
  }
  grid.Add(caption, wxSizerFlags().CentreVertical());
  grid.Add(row, wxSizerFlags().Expand());
  m_fields[key] = {caption, text};
  return text;
}

void ConnectionDialog::Preselect(const std::string& start) {
  std::string further;
  int dataSource = wxNOT_FOUND;
  int driver = wxNOT_FOUND;
  for (const auto& [rawKey, value] : SplitConnectString(start)) {
    const std::string key = Trim(rawKey);
    if (MbsIEqual(key, "DSN")) dataSource = IndexOf(m_dataSources, WithoutBraces(value));
    if (MbsIEqual(key, "DRIVER")) driver = IndexOf(m_drivers, WithoutBraces(value));
    if (IsSourceKey(key)) continue;
    const auto field = std::find_if(m_fields.begin(), m_fields.end(),
                                    [&](const auto& entry) { return MbsIEqual(entry.first, key); });
    if (field != m_fields.end()) {
      field->second.second->ChangeValue(ToToolkitText(WithoutBraces(value)));
    } else {
      further += (further.empty() ? "" : ";") + rawKey + "=" + value;
    }
  }
  m_furtherAttributes->ChangeValue(ToToolkitText(further));
  if (dataSource != wxNOT_FOUND) m_dataSourceChoice->SetSelection(dataSource);
  if (driver != wxNOT_FOUND) m_driverChoice->SetSelection(driver);

  // A source named in the start wins; otherwise data sources come first when there are any.
  bool useDataSource = !m_dataSources.empty();
  if (driver != wxNOT_FOUND) useDataSource = false;
  if (dataSource != wxNOT_FOUND) useDataSource = true;
  m_useDataSource->SetValue(useDataSource);
  m_useDriver->SetValue(!useDataSource);
  m_useDataSource->Enable(!m_dataSources.empty());
  m_useDriver->Enable(!m_drivers.empty());
}

const ConnectionSource* ConnectionDialog::ChosenSource() const {
  const bool dataSource = m_useDataSource->GetValue();
  const std::vector<ConnectionSource>& sources = dataSource ? m_dataSources : m_drivers;
  const int index = (dataSource ? m_dataSourceChoice : m_driverChoice)->GetSelection();
  if (index < 0 || static_cast<std::size_t>(index) >= sources.size()) return nullptr;
  return &sources[static_cast<std::size_t>(index)];
}

void ConnectionDialog::ShowFieldsOfChosenSource() {
  const ConnectionSource* source = ChosenSource();
  const std::vector<std::string> keys =
      source != nullptr ? FieldsFor(*source) : std::vector<std::string>();
  wxSizer* sizer = GetSizer();
  for (const auto& [key, controls] : m_fields) {
    const bool shown = std::find(keys.begin(), keys.end(), key) != keys.end();
    sizer->Show(controls.first, shown, true);
    sizer->Show(controls.second, shown, true);
  }
  const bool file = source != nullptr && IsFileDatabase(*source);
  sizer->Show(m_browse, file && source->kind == SourceKind::kDriver, true);
  wxTextCtrl* port = m_fields[kPortKey].second;
  if (source != nullptr && IsKnownDefaultPort(port->GetValue())) {
    port->ChangeValue(DefaultPort(*source));
  }

  m_dataSourceChoice->Enable(m_useDataSource->GetValue());
  m_driverChoice->Enable(m_useDriver->GetValue());
  m_test->Enable(source != nullptr);
  m_ok->Enable(source != nullptr);
  sizer->Layout();
  const wxSize best = sizer->GetMinSize();
  SetMinClientSize(best);
  SetClientSize(wxSize(std::max(GetClientSize().x, best.x), best.y));
}

std::string ConnectionDialog::ConnectString() const {
  const ConnectionSource* source = ChosenSource();
  if (source == nullptr) return {};
  std::vector<std::pair<std::string, std::string>> fields;
  for (const std::string& key : FieldsFor(*source)) {
    const std::string value = ToHostText(m_fields.at(key).second->GetValue());
    fields.emplace_back(key, key == kPasswordKey ? value : Trim(value));
  }
  return ComposeConnectString(*source, fields, ToHostText(m_furtherAttributes->GetValue()));
}

void ConnectionDialog::ShowStatus(const wxString& text) {
  m_status->ChangeValue(text);
}

void ConnectionDialog::OnSourceKindChanged(wxCommandEvent&) {
  ShowFieldsOfChosenSource();
}

void ConnectionDialog::OnSourceChanged(wxCommandEvent&) {
  ShowStatus(wxEmptyString);
  ShowFieldsOfChosenSource();
}

void ConnectionDialog::OnBrowse(wxCommandEvent&) {
  wxTextCtrl* database = m_fields[kDatabaseKey].second;
  const wxFileName current(database->GetValue());
  // No "must exist": naming a new file lets the driver create the database.
  wxFileDialog chooser(this, "Database file", current.GetPath(), current.GetFullName(),
                       "All files (*)|*", wxFD_OPEN);
  if (chooser.ShowModal() == wxID_OK) database->ChangeValue(chooser.GetPath());
}

void ConnectionDialog::OnTest(wxCommandEvent&) {
  // The toolkit's loop runs in C code: nothing may be thrown through it.
  try {
    wxBusyCursor busy;
    const ConnectionTestResult result = m_tester(ConnectString());
    ShowStatus(result.connected ? wxString("Connection succeeded.")
                                : "Connection failed:\n" + ToToolkitText(result.message));
  } catch (const std::exception& e) {
    ShowStatus("Connection failed:\n" + ToToolkitText(e.what()));
  }
}

}  // namespace quorlin::platform
