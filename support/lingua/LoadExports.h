// The exported text-store functions: three process-wide stores, each behind its own family of calls.
//   language store  _load_lang, _load_outlang, _load_getlang, _load_setlang, _load_dellang
//   item store      _load_i, _load_i_out, _load_i_get, _load_i_set, _load_i_del and the section calls
//   para store      record-form files: _load_para, _load_outpara, _load_getpara, _load_setpara,
//                   _load_delpara
// Every result is 0 for success. Each store has its own lock; the calls add none.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

std::uint16_t _load_dellang();
// 1 for a null or empty path or a file that cannot be read; merges the file into the store.
std::uint16_t _load_lang(const char* path);
// 1 for a null or empty path or a file that could not be written.
std::uint16_t _load_outlang(const char* path);
// The value, or the empty string when missing; 1 only when value is null.
std::uint16_t _load_getlang(const std::string& section, const std::string& key, std::string* value);
std::uint16_t _load_setlang(const std::string& section, const std::string& key, const std::string& value);

std::uint16_t _load_i_del();
std::uint16_t _load_i(const char* path);
std::uint16_t _load_i_out(const char* path);
std::uint16_t _load_i_get(const std::string& section, const std::string& key, std::string* value);
std::uint16_t _load_i_set(const std::string& section, const std::string& key, const std::string& value);
// Deletes every section of exactly that name.
std::uint16_t _load_i_delk(const std::string& section);
// 0 added, 1 empty name, 2 a section of that name exists (ignoring case).
std::uint16_t _load_i_addk(const std::string& section);
// 1 when a section of that name exists (ignoring case); 0 when none does or the name is empty.
std::uint16_t _load_i_findk(const std::string& section);
// Appends every section name in store order; 1 when names is null or the store is empty.
std::uint16_t _load_i_getlist(std::vector<std::string>* names);

std::uint16_t _load_delpara();
std::uint16_t _load_para(const char* path);
std::uint16_t _load_outpara(const char* path);
std::uint16_t _load_getpara(const std::string& section, const std::string& key, std::string* value);
std::uint16_t _load_setpara(const std::string& section, const std::string& key, const std::string& value);

// Property calls kept for outside users; they store nothing and return 0.
std::uint16_t _load_delpro();
std::uint16_t _load_pro(const char* first, const char* second);
std::uint16_t _load_outpro(const char* first, const char* second);
std::uint16_t _load_setprop(const std::string& section, const std::string& key, const std::string& value);
// Leaves value untouched.
std::uint16_t _load_getprop(const std::string& section, const std::string& key, std::string* value);
