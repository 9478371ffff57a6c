// Saving the rows the results pane lists to a file, in the order shown: the
// tab-separated lines of zandor-find, or CSV when the name ends in ".csv".
#pragma once

#include <QString>
#include <string>

#include "results/pane_prompts.h"

class QWidget;

namespace zandor {

class ResultModel;

enum class SavedFormat { Tsv, Csv };

// CSV for a name ending in ".csv" in any letter case, else tab-separated.
SavedFormat savedFormatOf(const QString& fileName);

// Every recorded row the model lists, top to bottom, in the format given; a
// CSV starts with its header line.
std::string listedRowsText(const ResultModel& model, SavedFormat format);

// True when the model lists at least one recorded row (the notice row is none).
bool listsRecordedRows(const ResultModel& model);

// Asks for a file name, asks before replacing a file that exists, and
// writes the rows; a failure is named in a message, the old file kept.
void saveListedRows(QWidget* owner, const PanePrompts& prompts, const ResultModel& model);

}  // namespace zandor
