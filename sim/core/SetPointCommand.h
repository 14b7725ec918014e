#pragma once

#include "core/JournalEntry.h"

#include <optional>

class PlantModel;

// The ranges the acquisition side accepts; a command outside them is journalled and refused, so
// a row written by any client cannot drive the plant out of its envelope.
struct SetPointLimits
{
    double plszMin = 1600, plszMax = 2100;
    double tnzMin = 50, tnzMax = 240;
};

// One row of control_vector: either set-point or both may be given.
struct SetPointCommand
{
    qint64 id = 0;
    QString user;
    std::optional<double> plsz;
    std::optional<double> tnz;
};

// Journal texts of one command, stamped `moment`; what Apply would do, without doing it.
Journal CommandJournal(const SetPointCommand &command, const SetPointLimits &limits,
                       const QDateTime &moment);
// Puts the accepted set-points of the command in force.
void ApplyCommand(const SetPointCommand &command, const SetPointLimits &limits, PlantModel &model);
