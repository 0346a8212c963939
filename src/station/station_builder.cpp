// Building a station folder from the shipped content.
#include "station/station_builder.h"

#include "data/scramble.h"
#include "platform/connection.h"
#include "platform/log.h"
#include "platform/sql_text.h"
#include "platform/workbook.h"
#include "station/demo_data.h"
#include "station/table_inserter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace vemo {
namespace {

const QString kWhere = QStringLiteral("build_station");

// A step that failed stops the build; the message names the step.
struct Build {
  QString folder;
  const StationContent& content;
  QString error;

  bool fail(const QString& message) {
    if (error.isEmpty()) error = message;
    return false;
  }
};

bool run_script(Connection& db, const QString& script, Build& build, const QString& what) {
  char* message = nullptr;
  if (sqlite3_exec(db.handle(), script.toUtf8().constData(), nullptr, nullptr, &message) !=
      SQLITE_OK) {
    const QString why = QString::fromUtf8(message ? message : "");
    sqlite3_free(message);
    return build.fail(what + ": " + why);
  }
  return true;
}

bool load_tsv(Connection& db, const QString& table, const TsvTable& tsv, Build& build,
              const QString& what) {
  TableInserter inserter(db, table, tsv.header);
  if (!inserter.ok()) return build.fail(what + ": " + inserter.error_string());
  std::vector<QVariant> values;
  for (const auto& row : tsv.rows) {
    values.clear();
    for (const TsvField& field : row) values.push_back(field ? QVariant(*field) : QVariant());
    if (!inserter.insert(values)) return build.fail(what + ": " + inserter.error_string());
  }
  return true;
}

bool load_tsv_file(Connection& db, const QString& table, const QString& relative, Build& build) {
  QString why;
  const auto tsv = build.content.read_tsv(relative, &why);
  if (!tsv) return build.fail(why);
  return load_tsv(db, table, *tsv, build, relative);
}

bool open_new_db(Connection& db, const QString& path, Build& build) {
  if (!db.open(path, OpenMode::CreateIfMissing)) {
    return build.fail(path + ": " + db.error_string());
  }
  // A new file that nobody else sees yet: a crash leaves a folder to delete anyway.
  return run_script(db, QStringLiteral("pragma synchronous=off; pragma journal_mode=memory;"),
                    build, path);
}

QStringList catalog_pages(const TsvTable& catalog) {
  QStringList pages;
  const qsizetype column = catalog.header.indexOf(QStringLiteral("bbm"));
  if (column < 0) return pages;
  for (const auto& row : catalog.rows) {
    if (row[size_t(column)]) pages << *row[size_t(column)];
  }
  return pages;
}

bool build_main_db(Build& build, const QStringList& pages, const StationSetup& setup) {
  QString why;
  const auto schema = build.content.read(QStringLiteral("schema/main.sql"), &why);
  if (!schema) return build.fail(why);
  const QString script = QString::fromUtf8(*schema);

  Connection transfer;
  if (!open_new_db(transfer, build.folder + '/' + kTransferTemplateName, build)) return false;
  const QString transfer_script = transfer_part(script);
  if (transfer_script.trimmed().isEmpty())
    return build.fail(QStringLiteral("主库结构中没有转移部分"));
  if (!run_script(transfer, transfer_script, build, kTransferTemplateName)) return false;
  transfer.close();

  Connection db;
  if (!open_new_db(db, build.folder + '/' + kMainDbName, build)) return false;
  if (!run_script(db, script, build, QStringLiteral("schema/main.sql"))) return false;
  Transaction transaction(db);
  if (!load_tsv_file(db, QStringLiteral("ws_gxq"), QStringLiteral("users.tsv"), build)) {
    return false;
  }
  for (const QString& page : pages) {
    const QString relative = QStringLiteral("pages/") + page + QStringLiteral("/celldxx.tsv");
    if (build.content.exists(relative) &&
        !load_tsv_file(db, QStringLiteral("celldxx"), relative, build)) {
      return false;
    }
  }
  if (setup.demo_waybills > 0) {
    DemoOptions demo;
    demo.waybills = setup.demo_waybills;
    demo.seed = setup.demo_seed;
    if (!setup.station_name.isEmpty()) demo.home_station = setup.station_name;
    if (!write_demo_data(db, demo, &why)) return build.fail(why);
  }
  if (!transaction.commit()) return build.fail(kMainDbName + ": " + db.error_string());
  return true;
}

bool build_settings_db(Build& build, const TsvTable& catalog, const QStringList& pages) {
  QString why;
  const auto schema = build.content.read(QStringLiteral("schema/settings.sql"), &why);
  if (!schema) return build.fail(why);
  const QString script = QString::fromUtf8(*schema);

  Connection db;
  if (!open_new_db(db, build.folder + '/' + kSettingsDbName, build)) return false;
  if (!run_script(db, script, build, QStringLiteral("schema/settings.sql"))) return false;
  Transaction transaction(db);
  if (!load_tsv(db, QStringLiteral("bb"), catalog, build, QStringLiteral("catalog.tsv"))) {
    return false;
  }
  for (const QString& page : pages) {
    const QString dir = QStringLiteral("pages/") + page + '/';
    const QString map_table = table_pattern(script, QStringLiteral("\"<document name>\""), page);
    const QString pop_table = table_pattern(script, QStringLiteral("\"<document name>_pop\""),
                                            page + QStringLiteral("_pop"));
    if (map_table.isEmpty() || pop_table.isEmpty()) {
      return build.fail(QStringLiteral("schema/settings.sql: 没有对照表或弹出表的样式"));
    }
    if (!run_script(db, map_table, build, dir + QStringLiteral("map.tsv")) ||
        !run_script(db, pop_table, build, dir + QStringLiteral("pop.tsv")) ||
        !load_tsv_file(db, page, dir + QStringLiteral("map.tsv"), build) ||
        !load_tsv_file(db, page + QStringLiteral("_pop"), dir + QStringLiteral("pop.tsv"), build) ||
        !load_tsv_file(db, QStringLiteral("sql_查询"), dir + QStringLiteral("sql.tsv"), build) ||
        !load_tsv_file(db, QStringLiteral("cellact"), dir + QStringLiteral("cellact.tsv"), build)) {
      return false;
    }
  }
  if (!transaction.commit()) return build.fail(kSettingsDbName + ": " + db.error_string());
  return true;
}

bool copy_content_file(Build& build, const QString& relative, const QString& target) {
  QString why;
  const auto bytes = build.content.read(relative, &why);
  if (!bytes) return build.fail(why);
  QFile file(target);
  if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size()) {
    return build.fail(target + QStringLiteral(": 无法写入 (") + file.errorString() + ')');
  }
  return true;
}

bool copy_templates(Build& build, const QStringList& pages) {
  QDir folder(build.folder);
  if (!folder.mkpath(QStringLiteral("out_excel")) || !folder.mkpath(QStringLiteral("out_hp"))) {
    return build.fail(build.folder + QStringLiteral(": 无法建立打印模板文件夹"));
  }
  for (const QString& page : pages) {
    const QString dir = QStringLiteral("pages/") + page + '/';
    const QString file_name = page + QStringLiteral(".htm");
    if (!copy_content_file(build, dir + QStringLiteral("template.htm"),
                           folder.filePath(file_name)) ||
        !copy_content_file(build, dir + QStringLiteral("template.htm"),
                           folder.filePath(QStringLiteral("out_excel/") + file_name))) {
      return false;
    }
    if (build.content.exists(dir + QStringLiteral("out_hp.htm")) &&
        !copy_content_file(build, dir + QStringLiteral("out_hp.htm"),
                           folder.filePath(QStringLiteral("out_hp/") + file_name))) {
      return false;
    }
  }
  return true;
}

bool write_user_list(Build& build, const StationSetup& setup) {
  QString why;
  const auto tsv = build.content.read_tsv(QStringLiteral("userlist.tsv"), &why);
  if (!tsv) return build.fail(why);
  SheetRows rows;
  for (const auto& row : tsv->rows) {
    QStringList cells;
    for (const TsvField& field : row) cells << field.value_or(QString());
    rows.push_back(cells);
  }
  if (!setup.station_name.isEmpty()) {
    if (rows.empty()) rows.push_back(QStringList{QString()});
    while (rows.front().size() < 2) rows.front() << QString();
    rows.front()[1] = setup.station_name;
  }
  if (!write_first_worksheet(build.folder + '/' + kUserListName, rows, &why)) {
    return build.fail(kUserListName + ": " + why);
  }
  return true;
}

// The demo users and their passwords, for whoever opens the new folder first.
bool write_readme(Build& build, const StationSetup& setup) {
  QString why;
  const auto users = build.content.read_tsv(QStringLiteral("users.tsv"), &why);
  if (!users) return build.fail(why);
  const qsizetype name = users->header.indexOf(QStringLiteral("username"));
  const qsizetype right = users->header.indexOf(QStringLiteral("userright"));
  const qsizetype password = users->header.indexOf(QStringLiteral("mm"));
  if (name < 0 || right < 0 || password < 0) return build.fail(QStringLiteral("users.tsv: 缺少列"));
  QString text = QStringLiteral(
      "澜川物流站点文件夹\n\n"
      "澜川.mdb 主数据库，nb_set.mdb 设置数据库（正常模式下文件经过加扰），outmdb_y.md 转移模板，\n"
      "userlist.xlsx 用户名单（A 列用户名，B1 发站），<单据名>.htm 页面模板，out_excel/ 与 out_hp/ "
      "打印模板。\n\n"
      "演示用户（上线前请修改密码）：\n");
  for (const auto& row : users->rows) {
    text += QStringLiteral("  ") + row[size_t(name)].value_or(QString()) +
            QStringLiteral("  权限 ") + row[size_t(right)].value_or(QString()) +
            QStringLiteral("  密码 ") + row[size_t(password)].value_or(QString()) + '\n';
  }
  if (setup.demo_waybills > 0) {
    text += QStringLiteral("\n含演示数据，截止日期 2026-12-11。\n");
  }
  text += QStringLiteral(
      "\n开发人员检查数据库: vemo-cli mode 站点文件夹 dev --password 开发口令；"
      "完成后 vemo-cli mode 站点文件夹 normal。\n");
  QFile file(build.folder + QStringLiteral("/README.txt"));
  const QByteArray bytes = text.toUtf8();
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    return build.fail(file.fileName() + QStringLiteral(": 无法写入"));
  }
  return true;
}

bool scramble_databases(Build& build) {
  for (const QString& name : {kMainDbName, kSettingsDbName}) {
    const QString path = build.folder + '/' + name;
    if (ensure_scrambled(path) == ScrambleSync::Skipped) {
      return build.fail(path + QStringLiteral(": 无法转为正常模式的文件形式"));
    }
  }
  return true;
}

bool folder_is_free(const QString& folder) {
  const QFileInfo info(folder);
  if (!info.exists()) return true;
  return info.isDir() && QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot |
                                              QDir::Hidden | QDir::System);
}

}  // namespace

QString transfer_part(const QString& main_schema) {
  const QString begin = QStringLiteral("-- transfer: begin");
  const QString end = QStringLiteral("-- transfer: end");
  const qsizetype from = main_schema.indexOf(begin);
  const qsizetype to = main_schema.indexOf(end);
  if (from < 0 || to < from) return QString();
  return main_schema.mid(from + begin.size(), to - from - begin.size());
}

QString table_pattern(const QString& settings_schema, const QString& marker,
                      const QString& table_name) {
  const QStringList lines = settings_schema.split('\n');
  const QString head = QStringLiteral("CREATE TABLE ") + marker + QStringLiteral(" (");
  QStringList statement;
  bool inside = false;
  for (const QString& raw : lines) {
    if (!raw.startsWith(QLatin1String("--"))) {
      inside = false;
      continue;
    }
    QString line = raw.mid(2).trimmed();
    if (!inside) {
      if (line == head) {
        inside = true;
        statement << QStringLiteral("CREATE TABLE ") + sql_identifier(table_name) +
                         QStringLiteral(" (");
      }
      continue;
    }
    if (line.startsWith(QLatin1String(");"))) {
      statement << QStringLiteral(");");
      return statement.join('\n');
    }
    const qsizetype comment = line.indexOf(QLatin1String("--"));
    if (comment >= 0) line = line.left(comment).trimmed();
    statement << line;
  }
  return QString();
}

bool build_station(const QString& folder, const StationSetup& setup, QString* error) {
  const StationContent content(setup.content_root);
  Build build{QDir(folder).absolutePath(), content, QString()};
  auto done = [&](bool ok) {
    if (!ok && error) *error = build.error;
    return ok;
  };
  if (!folder_is_free(folder)) {
    return done(build.fail(QStringLiteral("站点文件夹已存在且不为空，未作任何改动: ") + folder));
  }
  if (!QDir().mkpath(build.folder)) {
    return done(build.fail(QStringLiteral("无法建立站点文件夹: ") + folder));
  }
  QString why;
  const auto catalog = content.read_tsv(QStringLiteral("catalog.tsv"), &why);
  bool ok = catalog.has_value() || build.fail(why);
  const QStringList pages = catalog ? catalog_pages(*catalog) : QStringList();
  ok = ok && build_main_db(build, pages, setup);
  ok = ok && build_settings_db(build, *catalog, pages);
  ok = ok && copy_templates(build, pages);
  ok = ok && write_user_list(build, setup);
  ok = ok && write_readme(build, setup);
  ok = ok && scramble_databases(build);
  if (!ok) {
    log_skip(kWhere, folder, build.error);
    // Only our own files are in the folder: it was free when we started.
    QDir(build.folder).removeRecursively();
  }
  return done(ok);
}

}  // namespace vemo
