// SPDX-License-Identifier: MIT
#include "platform/keys/scan_codes.h"

#include <string>
#include <string_view>

namespace titletype {

namespace {

/// Keys in a row whose scan codes follow one another, like their XKB
/// numbers: `count` keys from `first_scan`, the first named `row` + 01.
struct ScanRun {
  unsigned first_scan;
  std::string_view row;
  std::size_t count;
};
constexpr ScanRun kRuns[] = {
    {0x02, "AE", 12}, {0x10, "AD", 12}, {0x1e, "AC", 11}, {0x2c, "AB", 10}, {0x3b, "FK", 10}};

struct ScanKey {
  unsigned scan;
  bool extended;
  std::string_view name;
};
// Windows marks NumLock as extended, to tell it from Pause.
constexpr ScanKey kKeys[] = {
    {0x01, false, "ESC"},  {0x0e, false, "BKSP"}, {0x0f, false, "TAB"},  {0x1c, false, "RTRN"},
    {0x1d, false, "LCTL"}, {0x29, false, "TLDE"}, {0x2a, false, "LFSH"}, {0x2b, false, "BKSL"},
    {0x36, false, "RTSH"}, {0x37, false, "KPMU"}, {0x38, false, "LALT"}, {0x39, false, "SPCE"},
    {0x3a, false, "CAPS"}, {0x45, false, "PAUS"}, {0x46, false, "SCLK"}, {0x47, false, "KP7"},
    {0x48, false, "KP8"},  {0x49, false, "KP9"},  {0x4a, false, "KPSU"}, {0x4b, false, "KP4"},
    {0x4c, false, "KP5"},  {0x4d, false, "KP6"},  {0x4e, false, "KPAD"}, {0x4f, false, "KP1"},
    {0x50, false, "KP2"},  {0x51, false, "KP3"},  {0x52, false, "KP0"},  {0x53, false, "KPDL"},
    {0x57, false, "FK11"}, {0x58, false, "FK12"}, {0x70, false, "HKTG"}, {0x73, false, "AB11"},
    {0x79, false, "HENK"}, {0x7b, false, "MUHE"}, {0x7d, false, "AE13"}, {0x1c, true, "KPEN"},
    {0x1d, true, "RCTL"},  {0x35, true, "KPDV"},  {0x37, true, "PRSC"},  {0x38, true, "RALT"},
    {0x45, true, "NMLK"},  {0x47, true, "HOME"},  {0x48, true, "UP"},    {0x49, true, "PGUP"},
    {0x4b, true, "LEFT"},  {0x4d, true, "RGHT"},  {0x4f, true, "END"},   {0x50, true, "DOWN"},
    {0x51, true, "PGDN"},  {0x52, true, "INS"},   {0x53, true, "DELE"},  {0x5b, true, "LWIN"},
    {0x5c, true, "RWIN"},  {0x5d, true, "COMP"},
};

std::string xkb_name_of(unsigned scan_code, bool extended) {
  for (const ScanKey& k : kKeys) {
    if (k.scan == scan_code && k.extended == extended) return std::string(k.name);
  }
  for (const ScanRun& run : kRuns) {
    if (!extended && scan_code >= run.first_scan && scan_code < run.first_scan + run.count) {
      return xkb_position(run.row, scan_code - run.first_scan + 1);
    }
  }
  return "";
}

}  // namespace

std::optional<KeyCode> jis_key_for_scan_code(unsigned scan_code, bool extended, NumLock num_lock) {
  return jis_virtual_key(xkb_name_of(scan_code, extended), num_lock);  // no key is named ""
}

}  // namespace titletype
