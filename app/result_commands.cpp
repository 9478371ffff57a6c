#include "app/result_commands.h"

#include <QCoreApplication>
#include <QMenu>

#include "app/frame_actions.h"
#include "results/right_view.h"

namespace zandor {

void connectResultCommands(const FrameActions& actions, CRightView& view) {
    const struct {
        QAction* action;
        void (CRightView::*handler)();
    } routes[] = {
        {actions.open, &CRightView::OnOpen},
        {actions.openContainingFolder, &CRightView::OnOpenContainingFolder},
        {actions.rename, &CRightView::OnRename},
        {actions.deleteItems, &CRightView::OnDelete},
        {actions.properties, &CRightView::OnProperties},
        {actions.copyPath, &CRightView::OnCopyPath},
        {actions.saveResults, &CRightView::OnSaveResults},
        {actions.selectAll, &CRightView::OnSelectAll},
        {actions.invertSelection, &CRightView::OnInvertSelection},
        {actions.selectPage, &CRightView::OnSelectPage},
        {actions.contextSelectAll, &CRightView::OnSelectAll},
        {actions.contextInvertSelection, &CRightView::OnInvertSelection},
        {actions.contextSelectPage, &CRightView::OnSelectPage},
    };
    for (const auto& route : routes) {
        QObject::connect(route.action, &QAction::triggered, &view, route.handler);
    }
    // Save Results As… is offered while there is a row to save.
    QAction* save = actions.saveResults;
    const auto updateSave = [&view, save] { save->setEnabled(view.hasRecordedRows()); };
    ResultModel& model = view.model();
    QObject::connect(&model, &ResultModel::rowsInserted, save, updateSave);
    QObject::connect(&model, &ResultModel::rowsRemoved, save, updateSave);
    QObject::connect(&model, &ResultModel::modelReset, save, updateSave);
    updateSave();
    auto* menu = new QMenu(QCoreApplication::translate("zandor::FrameActions", "Options"), &view);
    menu->setObjectName(QStringLiteral("resultContextMenu"));
    buildContextMenu(menu, actions);
    view.addOpenWithMenu(actions.openWith);
    view.addOpenWithMenu(actions.contextOpenWith);
    view.setContextMenu(menu, {actions.openContainingFolder, actions.open, actions.rename,
                               actions.deleteItems, actions.properties, actions.copyPath});
}

}  // namespace zandor
