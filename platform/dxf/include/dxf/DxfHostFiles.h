#pragma once
// DXF files for kvhost: the reader and writer it registers as its drawing-file hooks.
#include <memory>
#include <string>

class KvDbDatabase;

// A drawing read from a DXF file; null with the reason (file and line) on failure.
std::unique_ptr<KvDbDatabase> dxfOpenDrawing(const std::string& path, std::string& error);
// Saves a drawing opened by dxfOpenDrawing, with its changes; false with the reason.
bool dxfSaveDrawing(const KvDbDatabase& db, const std::string& path, std::string& error);
