#pragma once
// The two commands' handlers.
void DataExtractionCommand();
void DataExtractionUpdateCommand();
