<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Login</name>
    <message>
        <source>Hello</source>
        <translation>你好</translation>
    </message>
    <message>
        <source>Shared</source>
        <translation>共享-app</translation>
    </message>
</context>
</TS>
