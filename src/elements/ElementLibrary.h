#pragma once

// Registers every class of the plant element library with the class registry; safe to call again.
void RegisterElementLibrary();
