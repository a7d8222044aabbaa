#pragma once

#include <QStringList>
#include <QVariantList>

#include <vector>

namespace quoll::connection::builtin {

// The rows of the demo databases, in the column order of their insert
// statements; made from fixed lists and a fixed pseudo-random sequence,
// so that every server gets the same rows.
struct DemoRows
{
    std::vector<QVariantList> states;
    std::vector<QVariantList> manufacturers;
    std::vector<QVariantList> stock;
    std::vector<QVariantList> customers;
    std::vector<QVariantList> orders;
    std::vector<QVariantList> items;
    std::vector<QVariantList> calls;
    std::vector<QVariantList> catalog;
    std::vector<QVariantList> priceChanges;
    std::vector<QVariantList> departments;
    std::vector<QVariantList> employees;
};

DemoRows makeDemoRows();

// `count` rows of sensor_readings, numbered from 1.
std::vector<QVariantList> makeSensorReadings(int count);

// The statements that make table `number` (from 1) of the wide database.
QStringList wideTableStatements(int number);

} // namespace quoll::connection::builtin
