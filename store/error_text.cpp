#include "store/error_text.h"

#include <QObject>
#include <cerrno>
#include <cstring>

QString error_text(int error)
{
    switch (error) {
    case ENOENT: return QObject::tr("文件或文件夹不存在");
    case EACCES: return QObject::tr("没有访问权限");
    case EPERM: return QObject::tr("不允许这样操作");
    case ENOSPC: return QObject::tr("磁盘空间已满");
#ifdef EDQUOT   // not in Windows' C library
    case EDQUOT: return QObject::tr("超出了磁盘配额");
#endif
    case EROFS: return QObject::tr("文件系统是只读的");
    case EISDIR: return QObject::tr("这是一个文件夹");
    case ENOTDIR: return QObject::tr("路径中有一项不是文件夹");
    case EEXIST: return QObject::tr("文件已经存在");
    case ENOTEMPTY: return QObject::tr("文件夹不是空的");
    case ENAMETOOLONG: return QObject::tr("文件名太长");
    case EFBIG: return QObject::tr("文件太大");
    case EIO: return QObject::tr("读写磁盘时出错");
    case EMFILE:
    case ENFILE: return QObject::tr("同时打开的文件太多");
    case EBUSY:
    case ETXTBSY: return QObject::tr("文件正被占用");
    case EXDEV: return QObject::tr("不能在两个文件系统之间移动文件");
    case ELOOP: return QObject::tr("符号链接的层数太多");
    case ENOMEM: return QObject::tr("内存不足");
    case EINVAL: return QObject::tr("参数无效");
    default: return QObject::tr("系统错误（%1）").arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}
