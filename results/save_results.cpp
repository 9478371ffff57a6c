#include "results/save_results.h"

#include <QCoreApplication>
#include <QFile>

#include "platform/fs_entry_info.h"
#include "platform/fs_file.h"
#include "results/result_model.h"
#include "results/row_text.h"
#include "text/name_text.h"

namespace zandor {

namespace {

QString caption() {
    return QCoreApplication::translate("zandor::SaveResults", "Save Results As…");
}

}  // namespace

SavedFormat savedFormatOf(const QString& fileName) {
    return fileName.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? SavedFormat::Csv
                                                                          : SavedFormat::Tsv;
}

std::string listedRowsText(const ResultModel& model, SavedFormat format) {
    std::string text;
    if (format == SavedFormat::Csv) {
        appendCsvHeader(text);
    }
    const int count = model.rowCount();
    for (int i = 0; i < count; ++i) {
        if (const ResultRow* row = model.rowAt(i)) {
            const std::string path = row->path();
            if (format == SavedFormat::Csv) {
                appendCsvRow(text, row->asEntry(path));
            } else {
                appendTsvRow(text, row->asEntry(path));
            }
        }
    }
    return text;
}

bool listsRecordedRows(const ResultModel& model) {
    return model.rowAt(0) != nullptr;
}

void saveListedRows(QWidget* owner, const PanePrompts& prompts, const ResultModel& model) {
    if (!listsRecordedRows(model)) {
        prompts.message(
            owner, caption(),
            QCoreApplication::translate("zandor::SaveResults", "There are no results to save"),
            QMessageBox::Information);
        return;
    }
    const QString fileName = prompts.saveFileName(owner, caption());
    if (fileName.isEmpty()) {
        return;  // the dialog was cancelled
    }
    // The name as the file system spells it: bytes in the locale's encoding.
    const std::string path = QFile::encodeName(fileName).toStdString();
    const QString shown = displayText(path);
    // Replacing loses the old list: No is what Enter answers.
    if (entryExists(path) && !prompts.ask(owner, caption(),
                                          QCoreApplication::translate(
                                              "zandor::SaveResults",
                                              "\"%1\" already exists.\nDo you want to replace it?")
                                              .arg(shown),
                                          QMessageBox::No)) {
        return;
    }
    const Result<void> saved =
        saveTextReplacing(path, listedRowsText(model, savedFormatOf(fileName)));
    if (!saved.ok()) {
        const std::string& reason = saved.error().message;
        prompts.message(owner, caption(),
                        QCoreApplication::translate("zandor::SaveResults",
                                                    "The results could not be saved to \"%1\":\n%2")
                            .arg(shown, QString::fromLocal8Bit(
                                            reason.data(), static_cast<qsizetype>(reason.size()))),
                        QMessageBox::Critical);
    }
}

}  // namespace zandor
