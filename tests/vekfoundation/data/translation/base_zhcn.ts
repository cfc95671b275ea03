<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Login</name>
    <message>
        <source>Only in base</source>
        <translation>仅基础</translation>
    </message>
    <message>
        <source>Shared</source>
        <translation>共享-base</translation>
    </message>
</context>
</TS>
