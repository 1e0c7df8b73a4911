#include "editor/core_messages.h"

#include "core/rpages.h"
#include "editor/nit_editor.h"
#include "editor/project_file.h"
#include "nit/capture_reader.h"
#include "platform/files.h"
#include "platform/udp_socket.h"
#include "project/record_stream.h"
#include "tftp/tftp_messages.h"

namespace quillon {

void AttachCoreMessages() {
  FileMessages();
  HostMessages();
  SocketMessages();
  TableMessages();
  CaptureMessages();
  RecordMessages();
  TftpMessages();
  EditorMessages();
  ProjectMessages();
}

}  // namespace quillon
