// Validates a statements file (CP932 bytes, declared Shift_JIS) against xml/StatementsFile.xsd.
#pragma once

#include <string>

namespace xmlcheck {

struct SchemaResult {
    bool valid = false;
    std::string messages;   // what failed: conversion, declaration or xmllint's diagnostics
};

// Converts a copy from CP932 to UTF-8 with iconv, rewrites its declaration to UTF-8 and runs
// `xmllint --noout --schema` on it. Bytes that are not CP932 or a missing declaration fail.
SchemaResult ValidateStatementsFile(const std::string& hostPath);

}  // namespace xmlcheck
