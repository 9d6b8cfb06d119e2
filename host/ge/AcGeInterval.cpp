#include <acge/AcGeInterval.h>

#include <algorithm>
#include <cmath>

AcGeInterval::AcGeInterval(double lower, double upper, double tol) : m_tol(tol)
{
    set(lower, upper);
}

AcGeInterval::AcGeInterval(bool boundedAbove, double bound, double tol) : m_tol(tol)
{
    set(boundedAbove, bound);
}

AcGeInterval& AcGeInterval::set(double lower, double upper)
{
    m_lower = std::min(lower, upper);
    m_upper = std::max(lower, upper);
    m_hasLower = m_hasUpper = true;
    return *this;
}

AcGeInterval& AcGeInterval::set(bool boundedAbove, double bound)
{
    m_hasUpper = boundedAbove;
    m_hasLower = !boundedAbove;
    m_lower = m_upper = bound;
    return *this;
}

AcGeInterval& AcGeInterval::set()
{
    m_hasLower = m_hasUpper = false;
    return *this;
}

bool AcGeInterval::contains(double value) const
{
    return (!m_hasLower || value >= m_lower - m_tol) && (!m_hasUpper || value <= m_upper + m_tol);
}

bool AcGeInterval::contains(const AcGeInterval& other) const
{
    if (m_hasLower && (!other.m_hasLower || other.m_lower < m_lower - m_tol))
        return false;
    if (m_hasUpper && (!other.m_hasUpper || other.m_upper > m_upper + m_tol))
        return false;
    return true;
}

bool AcGeInterval::isEqualAtUpper(double value) const
{
    return m_hasUpper && std::fabs(value - m_upper) <= m_tol;
}

bool AcGeInterval::isEqualAtLower(double value) const
{
    return m_hasLower && std::fabs(value - m_lower) <= m_tol;
}

bool AcGeInterval::isDisjoint(const AcGeInterval& other) const
{
    AcGeInterval common;
    return !intersectWith(other, common);
}

bool AcGeInterval::intersectWith(const AcGeInterval& other, AcGeInterval& result) const
{
    result = AcGeInterval(std::max(m_tol, other.m_tol));
    if (m_hasLower || other.m_hasLower)
        result.setLower(!m_hasLower ? other.m_lower : !other.m_hasLower ? m_lower : std::max(m_lower, other.m_lower));
    if (m_hasUpper || other.m_hasUpper)
        result.setUpper(!m_hasUpper ? other.m_upper : !other.m_hasUpper ? m_upper : std::min(m_upper, other.m_upper));
    if (result.isBounded() && result.m_lower > result.m_upper + result.m_tol)
        return false;
    if (result.isBounded() && result.m_lower > result.m_upper)
        result.m_upper = result.m_lower;
    return true;
}

bool AcGeInterval::operator==(const AcGeInterval& other) const
{
    if (m_hasLower != other.m_hasLower || m_hasUpper != other.m_hasUpper)
        return false;
    if (m_hasLower && std::fabs(m_lower - other.m_lower) > m_tol)
        return false;
    return !m_hasUpper || std::fabs(m_upper - other.m_upper) <= m_tol;
}
