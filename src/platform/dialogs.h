#pragma once
// The message boxes the core shows go through this interface: the desktop program
// shows them with Qt, the command-line tool prints them, tests record and answer them.
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

namespace quillon {

enum class DialogKind {
  Message,            // plain message box, OK
  ErrorCancel,        // error icon, a single Cancel button
  ErrorOk,            // error icon, a single OK button
  Information,        // information icon, OK
  Warning,            // warning icon, OK
  QuestionYesCancel,  // question, Yes and Cancel
  QuestionYesNo,      // question, Yes and No
};

enum class DialogAnswer { Ok, Cancel, Yes, No };

const char* DialogKindName(DialogKind kind);

class IDialogs {
 public:
  virtual ~IDialogs() = default;
  // `text` is UTF-8. Returns the button the user pressed.
  virtual DialogAnswer Show(DialogKind kind, const std::string& text) = 0;
};

// The dialogs the core uses now. Until something is installed, messages go to stderr
// and questions are answered with Cancel / No.
IDialogs& Dialogs();
// Installs `dialogs` (not owned; nullptr restores the default).
void SetDialogs(IDialogs* dialogs);

// Installs a dialogs object for one scope and restores the previous one afterwards.
class ScopedDialogs {
 public:
  explicit ScopedDialogs(IDialogs& dialogs);
  ~ScopedDialogs();
  ScopedDialogs(const ScopedDialogs&) = delete;
  ScopedDialogs& operator=(const ScopedDialogs&) = delete;

 private:
  IDialogs* previous_;
};

inline void ShowMessage(const std::string& text) { Dialogs().Show(DialogKind::Message, text); }

// Prints every box to a stream as "<kind>: <text>" and answers questions with a fixed
// answer (Cancel / No unless told otherwise). Used by the command-line tool.
class StreamDialogs : public IDialogs {
 public:
  explicit StreamDialogs(std::FILE* out, bool answerYes = false) : out_(out), yes_(answerYes) {}
  DialogAnswer Show(DialogKind kind, const std::string& text) override;

 private:
  std::FILE* out_;
  bool yes_;
};

// Records every box; questions take their answers from a queue (then the default).
class RecordingDialogs : public IDialogs {
 public:
  struct Entry {
    DialogKind kind;
    std::string text;
  };
  DialogAnswer Show(DialogKind kind, const std::string& text) override;

  std::vector<Entry> shown;
  std::deque<DialogAnswer> answers;
  DialogAnswer defaultAnswer = DialogAnswer::Cancel;

  std::vector<std::string> Texts() const;
  void Clear() { shown.clear(); }
};

}  // namespace quillon
