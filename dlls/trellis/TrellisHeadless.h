#pragma once
// Headless answering, an export of the Trellis library for tests and benchmarks that run code
// which shows alerts and folder choosers, without a display and without anyone to answer.
//
// It is off unless turned on. While it is on, RunAlert and RunDirectoryChooser show nothing:
// each records what it would have shown, takes the next queued answer of its kind (or the
// default when that queue is empty), tells its listener and returns at once. The defaults are
// what Enter would choose: the last button of an alert (kAlertAnswerLastButton), and cancel for
// a folder chooser. GUI thread only, like the rest of the library.
//
//     TrellisHeadless_Enable(1);
//     TrellisHeadless_QueueAlertAnswer(kAlertAnswerNextToLastButton); // "Cancel" of [Cancel][Replace]
//     TrellisHeadless_QueueFolderAnswer("file://C:\\work\\input\\");
//     ... run the code under test ...
//     TrellisHeadless_CountRecords(&count); TrellisHeadless_GetRecord(0, &record);
//     TrellisHeadless_Enable(0);
#include "dlls/trellis/Trellis.h"

constexpr u32 kHeadlessAlert = 1;
constexpr u32 kHeadlessFolderChooser = 2;
constexpr u32 kHeadlessURLBytes = 1024;

// What one alert or folder chooser showed, and how it was answered.
struct TTrellisHeadlessRecord
{
    u32 fKind; // kHeadlessAlert or kHeadlessFolderChooser
    // Alert: the kAlertAnswer* given. Folder chooser: 1 when a folder was given, 0 for cancel.
    u32 fAnswer;
    u32 fTag; // folder chooser: its tag
    u32 fZero;
    // Alert: the descriptor as shown. Folder chooser: its title in fTitle, the rest zero.
    TAlertDescriptor fAlert;
    char fURL[kHeadlessURLBytes]; // folder chooser: the folder given, zero-terminated
};

extern "C" {
// 1 turns headless answering on, 0 off; both start with empty queues and no records.
u32 TrellisHeadless_Enable(u32 on);
// Queues the answer of the next alert: kAlertAnswerLastButton, kAlertAnswerNextToLastButton or
// kAlertAnswerThirdToLastButton. An alert whose queued answer names none of its buttons is
// recorded and fails with kTrellisIllegalCallSequence.
u32 TrellisHeadless_QueueAlertAnswer(u32 answer);
// Queues the answer of the next folder chooser: a "file://" URL of a folder (ending in "\"),
// given to the listener as it is; null or "" cancels.
u32 TrellisHeadless_QueueFolderAnswer(const char* url);
// How many alerts and folder choosers were recorded since headless answering was turned on.
u32 TrellisHeadless_CountRecords(u32* count);
// Record index (0 the first shown).
u32 TrellisHeadless_GetRecord(u32 index, TTrellisHeadlessRecord* record);
}
