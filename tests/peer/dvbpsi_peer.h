#pragma once
// libdvbpsi behind small owners, so a failing assertion never leaks one of its objects:
// a handle that keeps the messages the library logs, and the NIT decoder behind its demux.
#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The library's headers do not include what they use.
#include <dvbpsi/dvbpsi.h>
#include <dvbpsi/psi.h>
#include <dvbpsi/descriptor.h>
#include <dvbpsi/demux.h>
#include <dvbpsi/nit.h>
#include <dvbpsi/dr_40.h>
#include <dvbpsi/dr_41.h>
#include <dvbpsi/dr_44.h>
#include <dvbpsi/dr_5a.h>
#include <dvbpsi/dr_83.h>

#include "platform/bytes.h"

namespace quillon::peer {

struct NitDeleter {
  void operator()(dvbpsi_nit_t* p) const { dvbpsi_nit_delete(p); }
};
struct SectionsDeleter {
  void operator()(dvbpsi_psi_section_t* p) const { dvbpsi_DeletePSISections(p); }
};
struct DescriptorDeleter {
  void operator()(dvbpsi_descriptor_t* p) const { dvbpsi_DeleteDescriptors(p); }
};
using NitPtr = std::unique_ptr<dvbpsi_nit_t, NitDeleter>;
using SectionsPtr = std::unique_ptr<dvbpsi_psi_section_t, SectionsDeleter>;
using DescriptorPtr = std::unique_ptr<dvbpsi_descriptor_t, DescriptorDeleter>;

// A handle whose warnings and errors are kept in `messages`.
class Handle {
 public:
  Handle() : handle_(dvbpsi_new(&Log, DVBPSI_MSG_WARN)) { handle_->p_sys = this; }
  ~Handle() {
    if (handle_->p_decoder) dvbpsi_DetachDemux(handle_);
    dvbpsi_delete(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  dvbpsi_t* get() const { return handle_; }
  std::vector<std::string> messages;

 private:
  static void Log(dvbpsi_t* handle, const dvbpsi_msg_level_t, const char* msg) {
    static_cast<Handle*>(handle->p_sys)->messages.emplace_back(msg);
  }
  dvbpsi_t* handle_;
};

// The peer's receiving side: packets go in one at a time; every actual-network NIT the
// library completes lands in `tables`, owned here.
class NitReceiver {
 public:
  NitReceiver() { dvbpsi_AttachDemux(handle.get(), &NewSubtable, this); }

  void Push(const RawString& packet) {
    Bytes copy(packet.begin(), packet.end());  // the library wants a writable buffer
    Push(copy.data());
  }
  // One packet of 188 bytes; the library only reads it.
  void Push(uint8_t* packet) { dvbpsi_packet_push(handle.get(), packet); }

  Handle handle;
  std::vector<NitPtr> tables;

 private:
  static void NewSubtable(dvbpsi_t* p, uint8_t tableId, uint16_t extension, void* self) {
    if (tableId == 0x40) dvbpsi_nit_attach(p, tableId, extension, &NewTable, self);
  }
  static void NewTable(void* self, dvbpsi_nit_t* nit) { static_cast<NitReceiver*>(self)->tables.emplace_back(nit); }
};

// The bytes of one generated section, table_id to CRC_32: the library leaves its
// p_payload_end in front of the CRC.
inline Bytes SectionBytes(const dvbpsi_psi_section_t& s) { return Bytes(s.p_data, s.p_payload_end + 4); }

}  // namespace quillon::peer
