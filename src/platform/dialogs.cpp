#include "platform/dialogs.h"

namespace quillon {

const char* DialogKindName(DialogKind kind) {
  switch (kind) {
    case DialogKind::Message: return "Message";
    case DialogKind::ErrorCancel:
    case DialogKind::ErrorOk: return "Error";
    case DialogKind::Information: return "Information";
    case DialogKind::Warning: return "Warning";
    case DialogKind::QuestionYesCancel:
    case DialogKind::QuestionYesNo: return "Question";
  }
  return "Message";
}

namespace {
StreamDialogs g_default(stderr);
IDialogs* g_current = nullptr;
}  // namespace

IDialogs& Dialogs() { return g_current ? *g_current : g_default; }
void SetDialogs(IDialogs* dialogs) { g_current = dialogs; }

ScopedDialogs::ScopedDialogs(IDialogs& dialogs) : previous_(g_current) { g_current = &dialogs; }
ScopedDialogs::~ScopedDialogs() { g_current = previous_; }

DialogAnswer StreamDialogs::Show(DialogKind kind, const std::string& text) {
  std::fprintf(out_, "%s: %s\n", DialogKindName(kind), text.c_str());
  std::fflush(out_);
  switch (kind) {
    case DialogKind::QuestionYesCancel: return yes_ ? DialogAnswer::Yes : DialogAnswer::Cancel;
    case DialogKind::QuestionYesNo: return yes_ ? DialogAnswer::Yes : DialogAnswer::No;
    case DialogKind::ErrorCancel: return DialogAnswer::Cancel;
    default: return DialogAnswer::Ok;
  }
}

DialogAnswer RecordingDialogs::Show(DialogKind kind, const std::string& text) {
  shown.push_back({kind, text});
  bool question = kind == DialogKind::QuestionYesCancel || kind == DialogKind::QuestionYesNo;
  if (!question) return kind == DialogKind::ErrorCancel ? DialogAnswer::Cancel : DialogAnswer::Ok;
  if (answers.empty()) return defaultAnswer;
  DialogAnswer a = answers.front();
  answers.pop_front();
  return a;
}

std::vector<std::string> RecordingDialogs::Texts() const {
  std::vector<std::string> out;
  for (const auto& e : shown) out.push_back(e.text);
  return out;
}

}  // namespace quillon
