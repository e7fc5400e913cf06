#pragma once

#include <QVariant>
#include <QVariantList>

// The skin control: an outside component reached only by dispatch numbers. No component stands
// behind it on this platform; the window holds none unless one is given to it, and tests give a
// recording one to see the calls.
class SkinFramework
{
public:
    virtual ~SkinFramework() = default;

    virtual QVariant Invoke(int dispatchId, const QVariantList &arguments) = 0;
    virtual QVariant Get(int dispatchId) = 0;
    virtual void Set(int dispatchId, const QVariant &value) = 0;
};
