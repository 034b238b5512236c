#pragma once
// The caption and the control and menu IDs of the driver's target window, shared by the
// window and the self-test that drives it.

constexpr char kCaption[] = "駆動テスト";

constexpr int kNameEdit = 101;
constexpr int kShowButton = 102;
constexpr int kOptionCheck = 103;
constexpr int kPatternCombo = 104;
constexpr int kDropLog = 105;
constexpr int kStatus = 106;
constexpr int kChoiceList = 107;
constexpr int kShowCommand = 201;
constexpr int kExitCommand = 202;
constexpr int kDeleteCommand = 203;
