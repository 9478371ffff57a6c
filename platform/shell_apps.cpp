#include "platform/shell_apps.h"

#include <gio/gdesktopappinfo.h>

#include <algorithm>
#include <cerrno>

#include "platform/shell_gio.h"

namespace zandor {

namespace {

struct AppListFree {
    void operator()(GList* list) const { g_list_free_full(list, g_object_unref); }
};
using OwnedAppList = std::unique_ptr<GList, AppListFree>;

std::string textOf(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

// A themed icon's first name, or an icon file's path.
std::string iconNameOf(GAppInfo* app) {
    GIcon* icon = g_app_info_get_icon(app);  // not ours
    if (icon == nullptr) {
        return {};
    }
    if (G_IS_THEMED_ICON(icon)) {
        const gchar* const* names = g_themed_icon_get_names(G_THEMED_ICON(icon));
        return names != nullptr && names[0] != nullptr ? std::string(names[0]) : std::string();
    }
    if (G_IS_FILE_ICON(icon)) {
        const gio::OwnedString path(g_file_get_path(g_file_icon_get_file(G_FILE_ICON(icon))));
        return textOf(path.get());
    }
    return {};
}

DesktopProgram programOf(GAppInfo* app, const std::string& contentType) {
    return DesktopProgram{textOf(g_app_info_get_id(app)), textOf(g_app_info_get_name(app)),
                          iconNameOf(app), contentType};
}

// Launched programs are told nothing of a display or a startup notice
// beyond what the environment gives them.
gio::Owned<GAppLaunchContext> launchContext() {
    return gio::Owned<GAppLaunchContext>(g_app_launch_context_new());
}

}  // namespace

Result<void> launchDefaultFor(const std::string& uri) {
    const gio::Owned<GAppLaunchContext> context = launchContext();
    GError* raw = nullptr;
    if (g_app_info_launch_default_for_uri(uri.c_str(), context.get(), &raw)) {
        return {};
    }
    const gio::Owned<GFile> file(g_file_new_for_uri(uri.c_str()));
    const gio::OwnedString path(g_file_get_path(file.get()));
    return gio::takeError(raw, textOf(path.get()), "no program could be started for it");
}

std::string contentTypeOf(const std::string& path) {
    const gio::Owned<GFile> file(g_file_new_for_path(path.c_str()));
    const gio::Owned<GFileInfo> info(g_file_query_info(file.get(),
                                                       G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                                                       G_FILE_QUERY_INFO_NONE, nullptr, nullptr));
    if (!info) {
        return {};
    }
    return textOf(g_file_info_get_content_type(info.get()));
}

std::vector<DesktopProgram> programsFor(const std::string& path) {
    const std::string type = contentTypeOf(path);
    if (type.empty()) {
        return {};
    }
    std::vector<DesktopProgram> programs;
    if (const gio::Owned<GAppInfo> preferred(g_app_info_get_default_for_type(type.c_str(), FALSE));
        preferred) {
        programs.push_back(programOf(preferred.get(), type));
    }
    const OwnedAppList all(g_app_info_get_all_for_type(type.c_str()));
    for (GList* node = all.get(); node != nullptr; node = node->next) {
        DesktopProgram program = programOf(G_APP_INFO(node->data), type);
        const bool listed =
            std::any_of(programs.begin(), programs.end(),
                        [&](const DesktopProgram& p) { return p.id == program.id; });
        if (!listed) {
            programs.push_back(std::move(program));
        }
    }
    return programs;
}

std::vector<DesktopProgram> allPrograms() {
    std::vector<DesktopProgram> programs;
    const OwnedAppList all(g_app_info_get_all());
    for (GList* node = all.get(); node != nullptr; node = node->next) {
        GAppInfo* app = G_APP_INFO(node->data);
        if (g_app_info_should_show(app)) {
            programs.push_back(programOf(app, {}));
        }
    }
    std::stable_sort(programs.begin(), programs.end(),
                     [](const DesktopProgram& a, const DesktopProgram& b) {
                         const gio::OwnedString keyA(g_utf8_collate_key(a.name.c_str(), -1));
                         const gio::OwnedString keyB(g_utf8_collate_key(b.name.c_str(), -1));
                         return std::string_view(keyA.get()) < std::string_view(keyB.get());
                     });
    return programs;
}

Result<void> launchProgram(const std::string& programId, const std::vector<std::string>& uris) {
    const gio::Owned<GDesktopAppInfo> app(g_desktop_app_info_new(programId.c_str()));
    if (!app) {
        return Error{ENOENT, "the program is no longer installed"};
    }
    GList* list = nullptr;
    for (const std::string& uri : uris) {
        list = g_list_prepend(list, const_cast<char*>(uri.c_str()));
    }
    list = g_list_reverse(list);
    const std::unique_ptr<GList, decltype(&g_list_free)> owned(list, &g_list_free);
    const gio::Owned<GAppLaunchContext> context = launchContext();
    GError* raw = nullptr;
    if (g_app_info_launch_uris(G_APP_INFO(app.get()), owned.get(), context.get(), &raw)) {
        return {};
    }
    return gio::takeError(raw, {}, "the program could not be started");
}

}  // namespace zandor
