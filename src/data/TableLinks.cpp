#include <algorithm>

#include "data/Table.h"
#include "data/TableImpl.h"

namespace qv {

// ---- Filter ----

void Table::SetFilter(const std::string& expression) {
  FilterExpression compiled = FilterExpression::Compile(expression, *this);
  CheckBrowseMode();
  impl_->filter = std::move(compiled);
  filterText_ = expression;
  if (filtered_) impl_->ViewChanged();
}

void Table::SetFiltered(bool on) {
  if (on == filtered_) return;
  CheckBrowseMode();
  filtered_ = on;
  impl_->ViewChanged();
}

void Table::Refresh() {
  CheckBrowseMode();
  impl_->ViewChanged();
}

// ---- Master-detail ----

void Table::SetMasterSource(Table* master, const std::string& masterFields,
                            const std::string& detailFields) {
  std::vector<int> masterIndexes;
  std::vector<int> detailIndexes;
  if (master) {
    for (Table* t = master; t; t = t->master_) {
      if (t == this) throw TableError("Table " + name_ + " cannot be a detail of itself");
    }
    masterIndexes = master->impl_->ResolveFields(masterFields);
    detailIndexes = impl_->ResolveFields(detailFields);
    if (masterIndexes.empty() || masterIndexes.size() != detailIndexes.size()) {
      throw TableError("The master and detail fields of table " + name_ + " do not match");
    }
  }
  CheckBrowseMode();
  Impl& m = *impl_;
  if (master_) {
    auto& siblings = master_->impl_->details;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  master_ = master;
  m.masterFields = std::move(masterIndexes);
  m.detailFields = std::move(detailIndexes);
  if (master) {
    master->impl_->details.push_back(this);
    m.resetToFirst = true;
  }
  m.ViewChanged();
}

// ---- Views ----

void Table::AttachView(TableView* view) {
  auto& views = impl_->views;
  if (view && std::find(views.begin(), views.end(), view) == views.end()) views.push_back(view);
}

void Table::DetachView(TableView* view) {
  auto& views = impl_->views;
  views.erase(std::remove(views.begin(), views.end(), view), views.end());
}

void Table::DisableControls() {
  ++disableCount_;
}

void Table::EnableControls() {
  if (disableCount_ == 0) return;
  if (--disableCount_ == 0) impl_->Notify(TableChange::DataSetChanged);
}

void Table::NotifyLayoutChanged() {
  impl_->Notify(TableChange::LayoutChanged);
}

}  // namespace qv
