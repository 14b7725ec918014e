#pragma once

#include <QDateTime>

class PlantModel;
class RecordWriter;
class SimDatabase;

// Takes up the operator's command rows: each new row of control_vector is journalled and marked
// taken in one transaction, and only then put in force, so a row is acted on exactly once.
class CommandPoller
{
public:
    CommandPoller(SimDatabase &db, RecordWriter &writer);

    // Rows taken up, or -1 when the database failed.
    int Poll(PlantModel &model, const QDateTime &now);

private:
    SimDatabase &m_db;
    RecordWriter &m_writer;
};
