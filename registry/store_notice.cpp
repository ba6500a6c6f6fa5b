// The start-up notice for a store that cannot keep changes.
#include "registry/store_notice.h"

namespace registry {

std::string unsavedSettingsNotice(const SqliteStore& store) {
    if (store.problem().empty()) return {};
    if (store.ok()) return "设置无法保存：注册表存储只能读取，所作的修改不会保留。\n" + store.problem();
    return "设置无法读取，也无法保存：注册表存储不能使用，显示的设置不是已保存的设置。\n" + store.problem();
}

}  // namespace registry
