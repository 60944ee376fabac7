#pragma once

#include <QString>

// "ZevStore.<class name> (<major>.<minor>.<revision>)": the source text an object reports its failures under.
QString ErrorSource(const QString& className);
