#pragma once
// The language of the file outputs: decides the CSV separator and the number conventions.

enum class OutputLanguage { English, French };

// Read afresh on every export from the host's VERLAN: French exactly for "fr-FR".
OutputLanguage ReadOutputLanguage();
