// A small, valid content folder in a temporary directory that fuzz targets run in, so that
// what they fuzz is the text and not the fatal missing-image path.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Creates the folder once per process, makes it the working directory, and selects the
// null platform. Returns the folder.
const std::string& enterFuzzContent();
// Creates a new empty folder in the system's temporary folder, its name starting with prefix.
std::string makeTemporaryFolder(const std::string& prefix);
// Writes bytes to a file of the fuzz folder and returns its relative path.
std::string writeFuzzFile(const std::string& relativePath, const uint8_t* data, size_t size);
