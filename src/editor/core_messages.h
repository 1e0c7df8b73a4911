#pragma once
// The message tables of the core's modules. Each follows the active language of the
// application's dispatcher (TLangDispatcher::Instance()) from the moment it is first
// used; this makes all of them at once, e.g. to list every text a program can show.
namespace quillon {

void AttachCoreMessages();

}  // namespace quillon
