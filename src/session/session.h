// The session state shared by every window and procedure of one program run.
#pragma once

#include "data/data_state.h"
#include "platform/prompts.h"
#include "platform/sheet.h"
#include "session/window_model.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace vemo {

inline constexpr std::int16_t kEditGuardArmed = -12;
inline constexpr std::int16_t kEditGuardDisarmed = 12;
inline constexpr int kDefaultLogoX = 600;
inline constexpr int kDefaultLogoY = 240;

// Paths, connections, network texts and dev_marker come from DataState.
struct Session : DataState {
  Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // The log-in dialog's network-mode box; network_mode() reads it.
  bool check3 = false;
  QString user_name;
  QString user_role;
  QString user_right;
  QString user_scope;
  QString start_station;
  QString current_ysth;
  std::int16_t sheet_edit_mode = 0;
  bool sheet_saved = false;
  std::int32_t logo_x = 0;
  std::int32_t logo_y = 0;
  QString export_scope;
  QString relogin_marker;
  // Message boxes; headless sessions answer No to every question unless told otherwise.
  std::shared_ptr<Prompts> prompts = std::make_shared<FixedAnswerPrompts>(PromptAnswer::No, false);

  // The main document window and its page; the active sheet name is the page's name.
  MainWindowModel form1;
  Sheet Spreadsheet1;
  // The desktop app lets queued window input run here; headless runs leave it empty.
  std::function<void()> process_pending_messages;
  void pump() const {
    if (process_pending_messages) process_pending_messages();
  }
  QString station_folder;

  // excel_app has no stand-in: the print engine is created per job.

  // Frame load: fixes the two database paths inside the station folder.
  void set_station_folder(const QString& folder);
};

}  // namespace vemo
