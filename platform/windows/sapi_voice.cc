// SPDX-License-Identifier: MIT
#include "platform/windows/sapi_voice.h"

// SAPI's headers need windows.h first, and initguid.h makes them define
// the GUIDs of SAPI's classes and interfaces here.
#include <windows.h>
// (in this order)
#include <initguid.h>
// (in this order)
#include <sapi.h>

#include <stdexcept>
#include <string>

namespace titletype {

SapiVoice::SapiVoice() {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  com_ = SUCCEEDED(com);
  if (FAILED(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice,
                              reinterpret_cast<void**>(&voice_)))) {
    if (com_) CoUninitialize();
    throw std::runtime_error("cannot reach the speech service (SAPI)");
  }
  // A voice that cannot speak (Wine's answers E_NOTIMPL) is no voice: say
  // so rather than play on silent.
  if (FAILED(voice_->Speak(L"", SPF_ASYNC | SPF_IS_NOT_XML, nullptr))) {
    voice_->Release();
    if (com_) CoUninitialize();
    throw std::runtime_error("the speech service (SAPI) cannot speak here");
  }
}

SapiVoice::~SapiVoice() {
  voice_->Release();
  if (com_) CoUninitialize();
}

void SapiVoice::say(std::string_view text, Delivery delivery) {
  std::wstring wide(text.size(), L'\0');  // the game's words are ASCII
  for (std::size_t i = 0; i < text.size(); ++i) wide[i] = static_cast<unsigned char>(text[i]);
  DWORD flags = SPF_ASYNC | SPF_IS_NOT_XML;
  if (delivery == Delivery::kInterrupt) flags |= SPF_PURGEBEFORESPEAK;
  // A failure leaves the game as it is: it only has nothing said.
  voice_->Speak(wide.c_str(), flags, nullptr);
}

}  // namespace titletype
