#include "LoadExports.h"

#include "TextStore.h"

namespace {

// Built on first use, so that other libraries' start-up code may call in before this one's statics
// would otherwise exist; they live until the process ends.
CTextStore& LanguageStore() {
    static CTextStore store;
    return store;
}

CTextStore& ItemStore() {
    static CTextStore store;
    return store;
}

CTextStore& ParaStore() {
    static CTextStore store;
    return store;
}

bool IsEmptyPath(const char* path) {
    return path == nullptr || *path == '\0';
}

std::uint16_t LoadText(CTextStore& store, const char* path) {
    return IsEmptyPath(path) ? 1 : store.LoadIni(path);
}

std::uint16_t SaveText(CTextStore& store, const char* path) {
    return IsEmptyPath(path) ? 1 : store.SaveIni(path);
}

std::uint16_t GetText(const CTextStore& store, const std::string& section, const std::string& key,
                      std::string* value) {
    if (value == nullptr) {
        return 1;
    }
    *value = store.GetString(section, key);
    return 0;
}

}  // namespace

std::uint16_t _load_dellang() {
    LanguageStore().RemoveAll();
    return 0;
}

std::uint16_t _load_lang(const char* path) {
    return LoadText(LanguageStore(), path);
}

std::uint16_t _load_outlang(const char* path) {
    return SaveText(LanguageStore(), path);
}

std::uint16_t _load_getlang(const std::string& section, const std::string& key, std::string* value) {
    return GetText(LanguageStore(), section, key, value);
}

std::uint16_t _load_setlang(const std::string& section, const std::string& key, const std::string& value) {
    return LanguageStore().Put(section, key, value);
}

std::uint16_t _load_i_del() {
    ItemStore().RemoveAll();
    return 0;
}

std::uint16_t _load_i(const char* path) {
    return LoadText(ItemStore(), path);
}

std::uint16_t _load_i_out(const char* path) {
    return SaveText(ItemStore(), path);
}

std::uint16_t _load_i_get(const std::string& section, const std::string& key, std::string* value) {
    return GetText(ItemStore(), section, key, value);
}

std::uint16_t _load_i_set(const std::string& section, const std::string& key, const std::string& value) {
    return ItemStore().Put(section, key, value);
}

std::uint16_t _load_i_delk(const std::string& section) {
    ItemStore().DeleteSection(section);
    return 0;
}

std::uint16_t _load_i_addk(const std::string& section) {
    return ItemStore().AddSection(section);
}

std::uint16_t _load_i_findk(const std::string& section) {
    return ItemStore().FindSection(section);
}

std::uint16_t _load_i_getlist(std::vector<std::string>* names) {
    return ItemStore().GetSectionList(names);
}

std::uint16_t _load_delpara() {
    ParaStore().RemoveAll();
    return 0;
}

std::uint16_t _load_para(const char* path) {
    return IsEmptyPath(path) ? 1 : ParaStore().LoadRecords(path);
}

std::uint16_t _load_outpara(const char* path) {
    return IsEmptyPath(path) ? 1 : ParaStore().SaveRecords(path);
}

std::uint16_t _load_getpara(const std::string& section, const std::string& key, std::string* value) {
    return GetText(ParaStore(), section, key, value);
}

std::uint16_t _load_setpara(const std::string& section, const std::string& key, const std::string& value) {
    return ParaStore().Put(section, key, value);
}

std::uint16_t _load_delpro() {
    return 0;
}

std::uint16_t _load_pro(const char*, const char*) {
    return 0;
}

std::uint16_t _load_outpro(const char* first, const char* second) {
    return _load_pro(first, second);
}

std::uint16_t _load_setprop(const std::string&, const std::string&, const std::string&) {
    return 0;
}

std::uint16_t _load_getprop(const std::string&, const std::string&, std::string*) {
    return 0;
}
