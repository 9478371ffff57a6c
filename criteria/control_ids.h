// The criteria form's control identifiers. Each control carries its
// identifier as the "controlId" property and its member name as objectName,
// so callers and tests can reach a control without knowing the form's types.
#pragma once

namespace zandor::control_id {

inline constexpr int kNoId = -1;  // labels and the icon
inline constexpr int kEditName = 1000;
inline constexpr int kComboLookIn = 1001;
inline constexpr int kCheckDate = 1002;
inline constexpr int kCheckSize = 1003;
inline constexpr int kBtnSearch = 1004;
inline constexpr int kBtnStop = 1005;
inline constexpr int kGroupNamed = 1007;
inline constexpr int kBtnBrowse = 1008;
inline constexpr int kCheckType = 1009;
inline constexpr int kCheckAdvanced = 1010;
inline constexpr int kGroupOptions = 1013;
inline constexpr int kEditSize = 1015;
inline constexpr int kComboSizeRelation = 1017;
inline constexpr int kComboType = 1018;
inline constexpr int kComboDateKind = 1019;
inline constexpr int kRadioDays = 1020;
inline constexpr int kRadioMonths = 1021;
inline constexpr int kEditDays = 1022;
inline constexpr int kEditMonths = 1023;
inline constexpr int kStaticDays = 1024;
inline constexpr int kStaticMonths = 1025;
inline constexpr int kCheckSubDirs = 1031;
inline constexpr int kCheckCase = 1032;
inline constexpr int kStaticKB = 1033;
// The Advanced Options rows for the contents, what to leave out and the disk.
inline constexpr int kLabelContaining = 1034;
inline constexpr int kEditContaining = 1035;
inline constexpr int kCheckBinary = 1036;
inline constexpr int kLabelLeaveOut = 1037;
inline constexpr int kEditLeaveOut = 1038;
inline constexpr int kCheckStayOnDisk = 1039;

}  // namespace zandor::control_id
