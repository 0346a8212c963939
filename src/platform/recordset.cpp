// Client-side recordset: rows in memory, a view for the filter, a current position and
// pending field writes that Update converts and hands to the record source.
#include "platform/recordset.h"

#include "platform/field_value.h"
#include "platform/filter_criteria.h"
#include "platform/log.h"
#include "platform/number_text.h"
#include "platform/record_source.h"

#include <map>
#include <vector>

namespace vemo {

struct Recordset::Impl {
  std::unique_ptr<RecordSource> source;
  bool loaded = false;
  bool partial = false;           // rows hold only what a pushed-down filter selected
  std::vector<FieldInfo> fields;  // with types taken from the values where none is declared
  std::vector<Record> rows;
  std::vector<char> gone;  // deleted rows stay in `rows` so that view indexes stay valid
  std::vector<int> view;   // rows of the current view, in order
  int pos = 0;             // index into view; -1 is BOF, view.size() is EOF
  bool gap = false;        // the current record was deleted; the next move lands beside it
  QString filter;
  std::map<int, QVariant> pending;
  bool adding = false;
  int pos_before_add = 0;
  QString error;

  bool is_open() const { return source != nullptr; }
  int count() const { return int(view.size()); }

  bool skip(const QString& what, const QString& why) {
    error = why;
    log_skip(QStringLiteral("recordset"), (source ? source->name() + ": " : QString()) + what, why);
    return false;
  }

  void take_rows(std::vector<Record>&& loaded_rows) {
    rows = std::move(loaded_rows);
    gone.assign(rows.size(), 0);
    view.resize(rows.size());
    for (int i = 0; i < int(rows.size()); ++i) view[i] = i;
    pos = 0;
    gap = false;
    loaded = true;
    fields = source->fields();
    for (int f = 0; f < int(fields.size()); ++f) {
      if (fields[f].type != FieldType::Empty) continue;
      for (const Record& row : rows) {
        if (!row.values[f].isNull()) {
          fields[f].type = field_type_of_value(row.values[f]);
          break;
        }
      }
    }
  }

  bool ensure_loaded() {
    if (!is_open()) return false;
    if (loaded) return true;
    std::vector<Record> all;
    if (!source->load(&all)) {
      skip(QStringLiteral("load"), source->error_string());
      source.reset();  // reads as a closed recordset with no rows
      return false;
    }
    take_rows(std::move(all));
    partial = false;
    return true;
  }

  Record* current() {
    if (!loaded || adding || gap || pos < 0 || pos >= count()) return nullptr;
    return &rows[view[pos]];
  }

  void flush() {
    if (adding || !pending.empty()) update();
  }

  void discard_edit() {
    if (adding) pos = pos_before_add;
    adding = false;
    pending.clear();
  }

  bool update() {
    if (!adding && pending.empty()) return true;
    const std::vector<FieldInfo>& declared = source->fields();
    FieldChanges changes;
    for (const auto& [index, value] : pending) {
      QString why;
      const std::optional<QVariant> converted =
          convert_for_column(declared[index].type, value, &why);
      if (!converted) {
        const QString what = "update of " + declared[index].name;
        discard_edit();  // ends the loop's map: nothing of it is read after this
        return skip(what, why);
      }
      changes.emplace_back(index, *converted);
    }
    if (adding) {
      Record record;
      if (!source->insert(&record, changes)) {
        discard_edit();
        return skip(QStringLiteral("new record"), source->error_string());
      }
      rows.push_back(std::move(record));
      gone.push_back(0);
      view.push_back(int(rows.size()) - 1);
      pos = count() - 1;
      adding = false;
      pending.clear();
      return true;
    }
    Record* row = current();
    if (!row) {
      discard_edit();
      return skip(QStringLiteral("update"), QStringLiteral("no current record"));
    }
    Record changed = *row;
    if (!source->update(&changed, changes)) {
      discard_edit();
      return skip(QStringLiteral("update"), source->error_string());
    }
    *row = std::move(changed);
    pending.clear();
    return true;
  }

  // Before any move: pending writes are stored first.
  bool prepare_move() {
    if (!ensure_loaded()) return false;
    flush();
    return true;
  }

  std::optional<FilterCriteria> parse(const QString& criteria) {
    QString why;
    std::optional<FilterCriteria> parsed =
        FilterCriteria::parse(criteria, loaded ? fields : source->fields(), &why);
    if (!parsed) skip("criteria " + criteria, why);
    return parsed;
  }

  bool set_filter(const QString& criteria) {
    if (!is_open()) return skip("filter " + criteria, QStringLiteral("recordset is closed"));
    if (loaded) flush();
    if (criteria.trimmed().isEmpty()) {
      if (partial) loaded = false;
      if (!ensure_loaded()) return false;
      view.clear();
      for (int i = 0; i < int(rows.size()); ++i) {
        if (!gone[i]) view.push_back(i);
      }
      filter.clear();
      pos = 0;
      gap = false;
      return true;
    }
    std::optional<FilterCriteria> parsed = parse(criteria);
    if (!parsed) return false;
    if (!loaded || partial) {
      std::vector<Record> matching;
      if (source->load_matching(*parsed, &matching)) {
        take_rows(std::move(matching));
        partial = true;
        filter = criteria;
        return true;
      }
      loaded = false;
      if (!ensure_loaded()) return false;
    }
    view.clear();
    for (int i = 0; i < int(rows.size()); ++i) {
      if (!gone[i] && parsed->matches(rows[i].values)) view.push_back(i);
    }
    filter = criteria;
    pos = 0;
    gap = false;
    return true;
  }

  bool find(const QString& criteria) {
    if (!prepare_move()) return skip("find " + criteria, QStringLiteral("recordset is closed"));
    std::optional<FilterCriteria> parsed = parse(criteria);
    if (!parsed) return false;
    for (int i = pos < 0 ? 0 : pos; i < count(); ++i) {
      if (parsed->matches(rows[view[i]].values)) {
        pos = i;
        gap = false;
        return true;
      }
    }
    pos = count();
    gap = false;
    return false;
  }

  int field_index(const QString& name) const {
    const std::vector<FieldInfo>& list = loaded ? fields : source->fields();
    for (int i = 0; i < int(list.size()); ++i) {
      if (list[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
  }

  bool valid_field(int index) const {
    return is_open() && index >= 0 && index < int(source->fields().size());
  }
};

Recordset::Recordset() : impl_(std::make_unique<Impl>()) {}

Recordset::Recordset(std::unique_ptr<RecordSource> source) : impl_(std::make_unique<Impl>()) {
  impl_->source = std::move(source);
}

Recordset::~Recordset() {
  if (impl_->adding || !impl_->pending.empty()) {
    impl_->skip(QStringLiteral("close"), QStringLiteral("pending field writes dropped"));
  }
}

bool Recordset::IsOpen() const { return impl_->is_open(); }

void Recordset::Close() {
  if (impl_->adding || !impl_->pending.empty()) {
    impl_->skip(QStringLiteral("close"), QStringLiteral("pending field writes dropped"));
  }
  impl_ = std::make_unique<Impl>();
}

bool Recordset::Bof() const {
  if (!impl_->ensure_loaded()) return true;
  if (impl_->adding) return false;  // the new record is current
  return impl_->count() == 0 || impl_->pos < 0;
}

bool Recordset::Eof() const {
  if (!impl_->ensure_loaded()) return true;
  if (impl_->adding) return false;
  return impl_->count() == 0 || impl_->pos >= impl_->count();
}

void Recordset::MoveFirst() {
  if (!impl_->prepare_move()) return;
  impl_->pos = 0;
  impl_->gap = false;
}

void Recordset::MoveLast() {
  if (!impl_->prepare_move()) return;
  impl_->pos = impl_->count() > 0 ? impl_->count() - 1 : 0;
  impl_->gap = false;
}

void Recordset::MoveNext() {
  if (!impl_->prepare_move()) return;
  if (impl_->gap) {
    impl_->gap = false;  // the record after the deleted one already sits at pos
  } else if (impl_->pos < impl_->count()) {
    ++impl_->pos;
  } else {
    log_debug(QStringLiteral("recordset"), QStringLiteral("MoveNext at EOF ignored"));
  }
}

void Recordset::MovePrevious() {
  if (!impl_->prepare_move()) return;
  impl_->gap = false;
  if (impl_->pos >= 0) {
    --impl_->pos;
  } else {
    log_debug(QStringLiteral("recordset"), QStringLiteral("MovePrevious at BOF ignored"));
  }
}

int Recordset::RecordCount() const { return impl_->ensure_loaded() ? impl_->count() : 0; }

int Recordset::AbsolutePosition() const {
  if (!impl_->ensure_loaded() || impl_->count() == 0 || impl_->adding || impl_->gap) {
    return kPositionUnknown;
  }
  if (impl_->pos < 0) return kPositionBof;
  if (impl_->pos >= impl_->count()) return kPositionEof;
  return impl_->pos + 1;
}

int Recordset::FieldCount() const { return IsOpen() ? int(impl_->source->fields().size()) : 0; }

int Recordset::FieldIndex(const QString& name) const {
  return IsOpen() ? impl_->field_index(name) : -1;
}

QString Recordset::FieldName(int index) const {
  return impl_->valid_field(index) ? impl_->source->fields()[index].name : QString();
}

FieldType Recordset::Type(int index) const {
  if (!impl_->valid_field(index)) return FieldType::Empty;
  if (impl_->source->fields()[index].type != FieldType::Empty) {
    return impl_->source->fields()[index].type;
  }
  return impl_->ensure_loaded() ? impl_->fields[index].type : FieldType::Empty;
}

FieldType Recordset::Type(const QString& name) const { return Type(FieldIndex(name)); }

QVariant Recordset::Value(int index) const {
  if (!impl_->valid_field(index) || !impl_->ensure_loaded()) return QVariant();
  const auto it = impl_->pending.find(index);
  if (it != impl_->pending.end()) return it->second;
  const Record* row = impl_->current();
  return row ? row->values[index] : QVariant();
}

QVariant Recordset::Value(const QString& name) const { return Value(FieldIndex(name)); }

QString Recordset::Text(int index) const { return value_text(Value(index)); }

QString Recordset::Text(const QString& name) const { return Text(FieldIndex(name)); }

bool Recordset::SetValue(int index, const QVariant& value) {
  if (!impl_->valid_field(index)) {
    return impl_->skip("set field " + number_text(index), QStringLiteral("no such field"));
  }
  if (!impl_->ensure_loaded()) return false;
  if (!impl_->adding && !impl_->current()) {
    return impl_->skip("set " + FieldName(index), QStringLiteral("no current record"));
  }
  impl_->pending[index] = value;
  return true;
}

bool Recordset::SetValue(const QString& name, const QVariant& value) {
  const int index = FieldIndex(name);
  if (index < 0) return impl_->skip("set " + name, QStringLiteral("no such field"));
  return SetValue(index, value);
}

bool Recordset::SetFilter(const QString& criteria) { return impl_->set_filter(criteria); }

QString Recordset::Filter() const { return impl_->filter; }

bool Recordset::Find(const QString& criteria) { return impl_->find(criteria); }

bool Recordset::AddNew() {
  if (!impl_->prepare_move()) return impl_->skip(QStringLiteral("add"), QStringLiteral("closed"));
  impl_->pos_before_add = impl_->pos;
  impl_->adding = true;
  impl_->gap = false;
  return true;
}

bool Recordset::Update() {
  if (!impl_->ensure_loaded())
    return impl_->skip(QStringLiteral("update"), QStringLiteral("closed"));
  return impl_->update();
}

void Recordset::CancelUpdate() { impl_->discard_edit(); }

bool Recordset::Delete() {
  if (!impl_->ensure_loaded())
    return impl_->skip(QStringLiteral("delete"), QStringLiteral("closed"));
  if (impl_->adding) {
    impl_->discard_edit();
    return true;
  }
  impl_->pending.clear();
  Record* row = impl_->current();
  if (!row) return impl_->skip(QStringLiteral("delete"), QStringLiteral("no current record"));
  if (!impl_->source->remove(*row)) {
    return impl_->skip(QStringLiteral("delete"), impl_->source->error_string());
  }
  impl_->gone[impl_->view[impl_->pos]] = 1;
  impl_->view.erase(impl_->view.begin() + impl_->pos);
  impl_->gap = true;
  return true;
}

bool Recordset::EditPending() const { return impl_->adding || !impl_->pending.empty(); }

QString Recordset::ErrorString() const { return impl_->error; }

RecordSource* Recordset::Source() const { return impl_->source.get(); }

}  // namespace vemo
