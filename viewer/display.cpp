#include "viewer/display.h"

#include "connections/connection_registry.h"
#include "frame/failure.h"
#include "profiles/profile.h"
#include "viewer/front_end.h"
#include "viewer/recordset_adapter.h"
#include "viewer/view_data_dialog.h"

namespace quorlin::viewer {

void Display(int rowsPerPage) {
  platform::CRecordset* current = connections::Registry().CurrentRecordset();
  if (current == nullptr) throw frame::Failure::OfProfile(profile::Failure::kNothingToDisplay);
  RecordsetAdapter recordset(*current);
  ViewDataDialog dialog;
  dialog.m_tableName = current->GetTableName();
  dialog.m_rowsPerPage = rowsPerPage;
  dialog.m_recordset = &recordset;
  RunViewDataDialog(dialog);
}

}  // namespace quorlin::viewer
