// A client-side recordset: the rows of a statement or a table held in memory, with a
// current record, a filter view, searching and editing written back to the database.
#pragma once

#include <QString>
#include <QVariant>

#include <memory>

namespace vemo {

// Type codes of fields, as the engine reports them.
enum class FieldType { Empty = 0, Integer = 3, Real = 5, Date = 7, Text = 202 };

// ADO's AbsolutePosition values when there is no current record.
constexpr int kPositionUnknown = -1;
constexpr int kPositionBof = -2;
constexpr int kPositionEof = -3;

class RecordSource;  // where rows come from and where edits go (SQLite now, a server later)

class Recordset {
 public:
  // A closed recordset with no rows: what a failed open gives back.
  Recordset();
  explicit Recordset(std::unique_ptr<RecordSource> source);
  ~Recordset();
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  bool IsOpen() const;
  void Close();

  // Movement within the current view. Moving with pending field writes updates first.
  bool Bof() const;
  bool Eof() const;
  void MoveFirst();
  void MoveNext();
  void MovePrevious();  // from EOF reaches the last record
  void MoveLast();
  int RecordCount() const;       // exact, rows of the current view
  int AbsolutePosition() const;  // 1-based, or kPositionBof / kPositionEof / kPositionUnknown

  // Fields by position or by name in any letter case.
  int FieldCount() const;
  int FieldIndex(const QString& name) const;  // -1 when there is no such field
  QString FieldName(int index) const;
  FieldType Type(int index) const;
  FieldType Type(const QString& name) const;
  // Null QVariant for a null value, a missing field or no current record.
  QVariant Value(int index) const;
  QVariant Value(const QString& name) const;
  // The value as text: numbers through number_text(), null as the empty text.
  QString Text(const QString& name) const;
  QString Text(int index) const;

  // Pending field write on the current (or new) record; converted by the column's
  // declared type when the record is updated.
  bool SetValue(int index, const QVariant& value);
  bool SetValue(const QString& name, const QVariant& value);

  // Criteria such as "ysth = 'A1' and (js > 2 or fz <> 'x')"; empty clears. Text
  // compares without regard to case. Moves to the first record of the new view. Malformed
  // criteria return false and keep the current view.
  bool SetFilter(const QString& criteria);
  QString Filter() const;

  // Searches forward from the current record (inclusive) for "col = value" or
  // "col like 'a*'" (any criteria SetFilter takes). True when a record was found; leaves
  // EOF when nothing matches; malformed criteria return false and do not move.
  bool Find(const QString& criteria);

  bool AddNew();
  bool Update();
  void CancelUpdate();
  bool Delete();
  bool EditPending() const;

  QString ErrorString() const;

  // Where the rows came from: a data factory reaches its pending changes through it.
  // Null when the recordset is closed.
  RecordSource* Source() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vemo
