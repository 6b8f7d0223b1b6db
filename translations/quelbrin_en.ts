<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>Quelbrin</name>
    <message>
        <source> ] 失败！</source>
        <translation> ] could not be opened!</translation>
    </message>
    <message>
        <source> ] 成功！</source>
        <translation> ] opened.</translation>
    </message>
    <message>
        <source> 不存在</source>
        <translation> does not exist</translation>
    </message>
    <message>
        <source> 不存在 </source>
        <translation> does not exist </translation>
    </message>
    <message>
        <source> 不存在。</source>
        <translation> does not exist.</translation>
    </message>
    <message>
        <source> 不是普通文件（管道或设备），无法读取。</source>
        <translation> is not a regular file (a pipe or a device) and cannot be read.</translation>
    </message>
    <message>
        <source> 保存失败 </source>
        <translation> could not be saved </translation>
    </message>
    <message>
        <source> 保存成功 </source>
        <translation> saved </translation>
    </message>
    <message>
        <source> 太大，无法读入内存。</source>
        <translation> is too large to load into memory.</translation>
    </message>
    <message>
        <source> 已在另一个标签页中打开且有未保存的修改，请先保存或关闭该标签页。</source>
        <translation> is open in another tab with unsaved changes; save or close that tab first.</translation>
    </message>
    <message>
        <source> 开始对零。</source>
        <translation> Start zeroing.</translation>
    </message>
    <message>
        <source> 开始测试。</source>
        <translation> Start testing.</translation>
    </message>
    <message>
        <source> 开始生成固件</source>
        <translation> Generating firmware</translation>
    </message>
    <message>
        <source> 无法读取： </source>
        <translation> cannot be read: </translation>
    </message>
    <message>
        <source> 是文件夹，不是文件。</source>
        <translation> is a folder, not a file.</translation>
    </message>
    <message>
        <source> 校准编码器。</source>
        <translation> Calibrating the encoder.</translation>
    </message>
    <message>
        <source> 比较</source>
        <translation> comparison</translation>
    </message>
    <message>
        <source> 设置校准控制器参数。</source>
        <translation> Setting the calibration rig parameters.</translation>
    </message>
    <message>
        <source> 长度 [ %1 ] Byte 超过上限 [ %2 ] Byte。</source>
        <translation> length [ %1 ] Byte exceeds the limit of [ %2 ] Byte.</translation>
    </message>
    <message>
        <source>%2 文件 [ %1 ] 不存在</source>
        <translation>%2 file [ %1 ] does not exist</translation>
    </message>
    <message>
        <source>%2 文件 [ %1 ] 打开失败</source>
        <translation>%2 file [ %1 ] could not be opened</translation>
    </message>
    <message>
        <source>%2 文件 [ %1 ]%3</source>
        <translation>%2 file [ %1 ]%3</translation>
    </message>
    <message>
        <source>App 文件 [ %1 ] 长度： [ %2 ]Byte 超过设备 [ %3 ] 设定 App分区长度： [ %4 ]Byte</source>
        <translation>App file [ %1 ] length: [ %2 ]Byte exceeds the App area of device [ %3 ]: [ %4 ]Byte</translation>
    </message>
    <message>
        <source>App区大小:</source>
        <translation>App area size:</translation>
    </message>
    <message>
        <source>App固件:</source>
        <translation>App firmware:</translation>
    </message>
    <message>
        <source>BiSS IDL 错误</source>
        <translation>BiSS IDL error</translation>
    </message>
    <message>
        <source>BiSS写错误</source>
        <translation>BiSS write error</translation>
    </message>
    <message>
        <source>BiSS流错误</source>
        <translation>BiSS stream error</translation>
    </message>
    <message>
        <source>BiSS繁忙</source>
        <translation>BiSS busy</translation>
    </message>
    <message>
        <source>BiSS读错误</source>
        <translation>BiSS read error</translation>
    </message>
    <message>
        <source>BiSS调试</source>
        <translation>BiSS Debugging</translation>
    </message>
    <message>
        <source>BiSS调试/</source>
        <translation>BiSS Debugging/</translation>
    </message>
    <message>
        <source>BootLoader 文件 [ %1 ] 长度： [ %2 ]Byte 超过设备 [ %3 ] 设定 BootLoader分区长度： [ %4 ]Byte</source>
        <translation>BootLoader file [ %1 ] length: [ %2 ]Byte exceeds the BootLoader area of device [ %3 ]: [ %4 ]Byte</translation>
    </message>
    <message>
        <source>Boot区大小:</source>
        <translation>Boot area size:</translation>
    </message>
    <message>
        <source>Boot固件:</source>
        <translation>Boot firmware:</translation>
    </message>
    <message>
        <source>CRC校验错误</source>
        <translation>CRC error</translation>
    </message>
    <message>
        <source>Config 区域长度不足： 需要 [ %1 ] Byte 超过设备 [ %2 ] 设定 Config 分区长度： [ %3 ]Byte</source>
        <translation>Config area too small: needs [ %1 ] Byte, more than the Config area of device [ %2 ]: [ %3 ]Byte</translation>
    </message>
    <message>
        <source>Config区大小:</source>
        <translation>Config area size:</translation>
    </message>
    <message>
        <source>IAP升级</source>
        <translation>IAP Upgrade</translation>
    </message>
    <message>
        <source>IAP升级/</source>
        <translation>IAP Upgrade/</translation>
    </message>
    <message>
        <source>IAP升级参数设置。</source>
        <translation>IAP upgrade settings.</translation>
    </message>
    <message>
        <source>IAP参数</source>
        <translation>IAP Settings</translation>
    </message>
    <message>
        <source>ID区大小:</source>
        <translation>ID area size:</translation>
    </message>
    <message>
        <source>INL阈值</source>
        <translation>INL limit</translation>
    </message>
    <message>
        <source>INL阈值:</source>
        <translation>INL limit:</translation>
    </message>
    <message>
        <source>NLC校准</source>
        <translation>NLC calibration</translation>
    </message>
    <message>
        <source>Ymodem传输开启...</source>
        <translation>YMODEM transfer started...</translation>
    </message>
    <message>
        <source>[ %1 ] 次</source>
        <translation>[ %1 ] times</translation>
    </message>
    <message>
        <source>] 串口: [</source>
        <translation>] port: [</translation>
    </message>
    <message>
        <source>] 波特率：[</source>
        <translation>] baud rate: [</translation>
    </message>
    <message>
        <source>app 分区长度应大于0</source>
        <translation>The app area size must be greater than 0</translation>
    </message>
    <message>
        <source>boot 分区长度应大于0</source>
        <translation>The boot area size must be greater than 0</translation>
    </message>
    <message>
        <source>config 分区长度应大于0</source>
        <translation>The config area size must be greater than 0</translation>
    </message>
    <message>
        <source>id 分区长度应大于0</source>
        <translation>The id area size must be greater than 0</translation>
    </message>
    <message>
        <source>。请把当前用户加入该组，然后注销并重新登录：</source>
        <translation>. Add the current user to that group, then log out and in again:</translation>
    </message>
    <message>
        <source>上一个</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>下一个</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>不保存</source>
        <translation>Don&apos;t Save</translation>
    </message>
    <message>
        <source>不合格</source>
        <translation>FAIL</translation>
    </message>
    <message>
        <source>不存在。</source>
        <translation> does not exist.</translation>
    </message>
    <message>
        <source>不是数字</source>
        <translation>not a number</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Serial Port</translation>
    </message>
    <message>
        <source>串口号:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>串口号不能为空!!</source>
        <translation>Select a port!!</translation>
    </message>
    <message>
        <source>串口正被其他任务占用，请等待当前任务结束。</source>
        <translation>The serial port is in use by another job; wait until it has finished.</translation>
    </message>
    <message>
        <source>串口连接</source>
        <translation>Serial Connection</translation>
    </message>
    <message>
        <source>主机状态</source>
        <translation>Master Status</translation>
    </message>
    <message>
        <source>主机通信模式</source>
        <translation>Master Mode</translation>
    </message>
    <message>
        <source>主机通信模式未知，请先获取Master状态并设置主机通信模式！</source>
        <translation>Master mode unknown: read the master status and set the master mode first!</translation>
    </message>
    <message>
        <source>主题设置</source>
        <translation>Language Settings</translation>
    </message>
    <message>
        <source>从机使能</source>
        <translation>Slave Enable</translation>
    </message>
    <message>
        <source>从机使能已断开</source>
        <translation>Slave disabled</translation>
    </message>
    <message>
        <source>从机使能状态</source>
        <translation>Slave enabled</translation>
    </message>
    <message>
        <source>从机使能，通断从机5V供电。</source>
        <translation>Slave enable: switches the slave&apos;s 5V supply on and off.</translation>
    </message>
    <message>
        <source>从机写入EEPROM失败</source>
        <translation>Slave EEPROM write failed</translation>
    </message>
    <message>
        <source>从机写入EEPROM失败，CRC校验错误！</source>
        <translation>Slave EEPROM write failed: CRC error!</translation>
    </message>
    <message>
        <source>从机写入EEPROM成功</source>
        <translation>Slave EEPROM written</translation>
    </message>
    <message>
        <source>从机反馈数据</source>
        <translation>Slave Position Data</translation>
    </message>
    <message>
        <source>从机已使能</source>
        <translation>Slave enabled</translation>
    </message>
    <message>
        <source>从机数据读取失败</source>
        <translation>Slave data read failed</translation>
    </message>
    <message>
        <source>从机数据读取失败，CRC校验错误！</source>
        <translation>Slave data read failed: CRC error!</translation>
    </message>
    <message>
        <source>从机数据读取成功</source>
        <translation>Slave data read</translation>
    </message>
    <message>
        <source>从机未连接，请检查从机连接状态及从机通信协议!</source>
        <translation>Slave not connected: check the slave connection and the slave protocol!</translation>
    </message>
    <message>
        <source>从机清除故障状态失败</source>
        <translation>Clearing the slave faults failed</translation>
    </message>
    <message>
        <source>从机清除故障状态失败，CRC校验错误！</source>
        <translation>Clearing the slave faults failed: CRC error!</translation>
    </message>
    <message>
        <source>从机清除故障状态成功</source>
        <translation>Slave faults cleared</translation>
    </message>
    <message>
        <source>从机状态</source>
        <translation>Slave Status</translation>
    </message>
    <message>
        <source>从机编码器寄存器读写。</source>
        <translation>Read and write the slave encoder&apos;s registers.</translation>
    </message>
    <message>
        <source>从机设备ID不符，请连接正确的编码器设备!</source>
        <translation>Slave device ID does not match: connect the right encoder!</translation>
    </message>
    <message>
        <source>从机通信模式</source>
        <translation>Slave Mode</translation>
    </message>
    <message>
        <source>从机通信模式无效！</source>
        <translation>Invalid slave mode!</translation>
    </message>
    <message>
        <source>从机错误 &amp; 警告</source>
        <translation>Slave Errors &amp; Warnings</translation>
    </message>
    <message>
        <source>从机错误和警告信息。(绿色为正常，红色为异常)</source>
        <translation>Slave errors and warnings. (Green: normal, red: fault)</translation>
    </message>
    <message>
        <source>以下文件有未保存的修改，退出后将丢失：</source>
        <translation>These files have unsaved changes that will be lost on exit:</translation>
    </message>
    <message>
        <source>任务 [ %1 ] 正在使用串口。</source>
        <translation>Job [ %1 ] is using the serial port.</translation>
    </message>
    <message>
        <source>传输失败。</source>
        <translation>Transfer failed.</translation>
    </message>
    <message>
        <source>传输完成。</source>
        <translation>Transfer complete.</translation>
    </message>
    <message>
        <source>传输总包数：</source>
        <translation>Total packets: </translation>
    </message>
    <message>
        <source>位置丢失</source>
        <translation>Position lost</translation>
    </message>
    <message>
        <source>低于阈值</source>
        <translation>below the limit</translation>
    </message>
    <message>
        <source>你好</source>
        <translation type="vanished">Hello</translation>
    </message>
    <message>
        <source>使能</source>
        <translation>Enable</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>保存 &amp; 开始</source>
        <translation>Save &amp; Start</translation>
    </message>
    <message>
        <source>保存固件</source>
        <translation>Save Firmware</translation>
    </message>
    <message>
        <source>保存图表</source>
        <translation>Save Chart</translation>
    </message>
    <message>
        <source>保存图表 (PNG)...</source>
        <translation>Save Chart (PNG)...</translation>
    </message>
    <message>
        <source>保存失败：</source>
        <translation>Saving failed: </translation>
    </message>
    <message>
        <source>保存文件</source>
        <translation>Save File</translation>
    </message>
    <message>
        <source>保存设置参数 &amp; 开始。</source>
        <translation>Save the settings &amp; start.</translation>
    </message>
    <message>
        <source>修改分辨率与极对数成功，重启后生效！</source>
        <translation>Resolution and pole pairs changed; effective after a restart!</translation>
    </message>
    <message>
        <source>偏移</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>偏移量无效</source>
        <translation>Invalid offset</translation>
    </message>
    <message>
        <source>停止并退出</source>
        <translation>Stop and quit</translation>
    </message>
    <message>
        <source>傅里叶拟合</source>
        <translation>Fourier Fit</translation>
    </message>
    <message>
        <source>傅里叶拟合曲线</source>
        <translation>Fourier fit</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>关闭编辑页</source>
        <translation>Close Editor Tabs</translation>
    </message>
    <message>
        <source>写入</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>写入BiSS从机寄存器</source>
        <translation>Write BiSS slave register</translation>
    </message>
    <message>
        <source>写入BiSS从机寄存器失败。</source>
        <translation>Writing the BiSS slave register failed.</translation>
    </message>
    <message>
        <source>写入BiSS从机寄存器成功。</source>
        <translation>BiSS slave register written.</translation>
    </message>
    <message>
        <source>写入从机寄存器数据失败，CRC校验错误！</source>
        <translation>Writing the slave register failed: CRC error!</translation>
    </message>
    <message>
        <source>写入从机寄存器数据成功</source>
        <translation>Slave register written</translation>
    </message>
    <message>
        <source>写入失败。</source>
        <translation>Write failed.</translation>
    </message>
    <message>
        <source>写入完毕。</source>
        <translation>Write complete.</translation>
    </message>
    <message>
        <source>写入文件 [ %1 ] 失败</source>
        <translation>Writing file [ %1 ] failed</translation>
    </message>
    <message>
        <source>准备升级固件: [ V</source>
        <translation>Upgrading firmware: [ V</translation>
    </message>
    <message>
        <source>出厂固件生成...</source>
        <translation>Generating factory firmware...</translation>
    </message>
    <message>
        <source>分辨率:</source>
        <translation>Resolution:</translation>
    </message>
    <message>
        <source>分辨率应大于0</source>
        <translation>The resolution must be greater than 0</translation>
    </message>
    <message>
        <source>分辨率或极对数无效！</source>
        <translation>Invalid resolution or pole pairs!</translation>
    </message>
    <message>
        <source>分辨率：</source>
        <translation>Resolution:</translation>
    </message>
    <message>
        <source>删除文件: [ %1 ] ... </source>
        <translation>Deleting file: [ %1 ] ... </translation>
    </message>
    <message>
        <source>删除文件： [ %1 ]失败!</source>
        <translation>Deleting file [ %1 ] failed!</translation>
    </message>
    <message>
        <source>判定依据：最大INL与INL阈值 </source>
        <translation>Judged by: maximum INL against the INL limit </translation>
    </message>
    <message>
        <source>十六进制</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>十六进制字节格式错误</source>
        <translation>Invalid hex bytes</translation>
    </message>
    <message>
        <source>升级协议：</source>
        <translation>Protocol: </translation>
    </message>
    <message>
        <source>升级固件:</source>
        <translation>Upgrade firmware:</translation>
    </message>
    <message>
        <source>升级固件版本： V</source>
        <translation>Upgrade firmware version: V</translation>
    </message>
    <message>
        <source>升级固件生成...</source>
        <translation>Generating upgrade firmware...</translation>
    </message>
    <message>
        <source>升级固件： </source>
        <translation>Upgrade firmware: </translation>
    </message>
    <message>
        <source>升级失败。</source>
        <translation>Upgrade failed.</translation>
    </message>
    <message>
        <source>升级完成。</source>
        <translation>Upgrade complete.</translation>
    </message>
    <message>
        <source>协议:</source>
        <translation>Protocol:</translation>
    </message>
    <message>
        <source>单圈</source>
        <translation>Single-turn</translation>
    </message>
    <message>
        <source>单圈位数必须大于0！</source>
        <translation>Single-turn bits must be greater than 0!</translation>
    </message>
    <message>
        <source>单圈位数：</source>
        <translation>Single-turn bits:</translation>
    </message>
    <message>
        <source>单圈置零</source>
        <translation>Zero Single-turn</translation>
    </message>
    <message>
        <source>单圈：</source>
        <translation>Single-turn:</translation>
    </message>
    <message>
        <source>参数设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>参数设置失败。</source>
        <translation>Parameter setting failed.</translation>
    </message>
    <message>
        <source>参数设置完毕。</source>
        <translation>Parameters set.</translation>
    </message>
    <message>
        <source>参数设置成功!</source>
        <translation>Parameters set!</translation>
    </message>
    <message>
        <source>参考点</source>
        <translation>Reference points</translation>
    </message>
    <message>
        <source>参考点数</source>
        <translation>Reference points</translation>
    </message>
    <message>
        <source>参考点数：</source>
        <translation>Reference points:</translation>
    </message>
    <message>
        <source>发送握手信号...</source>
        <translation>Sending handshake...</translation>
    </message>
    <message>
        <source>发送校准设定参数...</source>
        <translation>Sending calibration parameters...</translation>
    </message>
    <message>
        <source>发送结束信号...</source>
        <translation>Sending end signal...</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>各阶段的图表见后续页面（与结果视图的图表相同）。</source>
        <translation>The charts of each phase follow on the next pages (the same charts as the result view).</translation>
    </message>
    <message>
        <source>合格</source>
        <translation>PASS</translation>
    </message>
    <message>
        <source>固件参数</source>
        <translation>Firmware Settings</translation>
    </message>
    <message>
        <source>固件型号： </source>
        <translation>Firmware model: </translation>
    </message>
    <message>
        <source>固件更新完成。</source>
        <translation>Firmware update complete.</translation>
    </message>
    <message>
        <source>固件版本： V</source>
        <translation>Firmware version: V</translation>
    </message>
    <message>
        <source>固件生成</source>
        <translation>Firmware Generation</translation>
    </message>
    <message>
        <source>固件生成/</source>
        <translation>Firmware Generation/</translation>
    </message>
    <message>
        <source>固件生成失败</source>
        <translation>Firmware generation failed</translation>
    </message>
    <message>
        <source>固件生成成功</source>
        <translation>Firmware generated</translation>
    </message>
    <message>
        <source>固件路径</source>
        <translation>Firmware Files</translation>
    </message>
    <message>
        <source>固件路径： </source>
        <translation>Firmware path: </translation>
    </message>
    <message>
        <source>固件长度： </source>
        <translation>Firmware length: </translation>
    </message>
    <message>
        <source>在不同转速下，测试磁编码器的最大INL，可设置不同转速。</source>
        <translation>Maximum INL of the magnetic encoder at different speeds; set the test speeds.</translation>
    </message>
    <message>
        <source>地址：</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>多圈</source>
        <translation>Multi-turn</translation>
    </message>
    <message>
        <source>多圈位数不能小于0！</source>
        <translation>Multi-turn bits cannot be less than 0!</translation>
    </message>
    <message>
        <source>多圈位数：</source>
        <translation>Multi-turn bits:</translation>
    </message>
    <message>
        <source>多圈错误</source>
        <translation>Multi-turn error</translation>
    </message>
    <message>
        <source>多圈：</source>
        <translation>Multi-turn:</translation>
    </message>
    <message>
        <source>失败！原因：串口连接中断，停止下载。</source>
        <translation>Failed: serial connection lost, download stopped.</translation>
    </message>
    <message>
        <source>失败！原因：传输累计错误:[ 200]次，停止下载。</source>
        <translation>Failed: transfer errors reached [ 200], download stopped.</translation>
    </message>
    <message>
        <source>失败！原因：升级固件长度 [ %1 ] Byte 不足 16 Byte，不是有效的升级固件。</source>
        <translation>Failed: upgrade firmware length [ %1 ] Byte is under 16 Byte; not a valid upgrade firmware.</translation>
    </message>
    <message>
        <source>失败！原因：升级固件长度 [ %1 ] Byte 超过 65535 Byte，无法传输。</source>
        <translation>Failed: upgrade firmware length [ %1 ] Byte exceeds 65535 Byte; cannot be transferred.</translation>
    </message>
    <message>
        <source>失败！原因：固件文件名 [ %1 ] 过长，无法写入文件信息包。</source>
        <translation>Failed: firmware file name [ %1 ] is too long for the file header packet.</translation>
    </message>
    <message>
        <source>失败！原因：固件长度 [ %1 ] Byte 超出范围（1 ~ 65535 Byte）。</source>
        <translation>Failed: firmware length [ %1 ] Byte out of range (1 ~ 65535 Byte).</translation>
    </message>
    <message>
        <source>失败！原因：当前固件版本与设备运行版本一致 无需更新。</source>
        <translation>Failed: the device already runs this firmware version; no update needed.</translation>
    </message>
    <message>
        <source>失败！原因：当前连接设备型号与固件型号不一致，请更换固件或设备。</source>
        <translation>Failed: the connected device model does not match the firmware model; change the firmware or the device.</translation>
    </message>
    <message>
        <source>失败！原因：等待设备的&lt;响应&gt;指令超时。</source>
        <translation>Failed: timed out waiting for the device&apos;s &lt;response&gt;.</translation>
    </message>
    <message>
        <source>失败！原因：设备拒绝通信！</source>
        <translation>Failed: the device refused to communicate!</translation>
    </message>
    <message>
        <source>失败！原因：设备未能进入Boot模式。</source>
        <translation>Failed: the device did not enter Boot mode.</translation>
    </message>
    <message>
        <source>失败！原因：设备端停止下载。</source>
        <translation>Failed: the device stopped the download.</translation>
    </message>
    <message>
        <source>失败！原因：设备端回复超时，停止下载。</source>
        <translation>Failed: the device did not reply in time, download stopped.</translation>
    </message>
    <message>
        <source>失败！原因：读取升级固件失败，停止下载。</source>
        <translation>Failed: reading the upgrade firmware failed, download stopped.</translation>
    </message>
    <message>
        <source>字节</source>
        <translation>bytes</translation>
    </message>
    <message>
        <source>寄存器操作</source>
        <translation>Registers</translation>
    </message>
    <message>
        <source>密码:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>密码错误</source>
        <translation>Wrong password</translation>
    </message>
    <message>
        <source>对托编码器分辨率，参考点数量，校准速度设置。</source>
        <translation>Reference encoder resolution, number of reference points, calibration speed.</translation>
    </message>
    <message>
        <source>对拖工装参数</source>
        <translation>Rig Parameters</translation>
    </message>
    <message>
        <source>对拖编码器线数</source>
        <translation>Reference encoder resolution</translation>
    </message>
    <message>
        <source>对拖编码器线数 [ %1 ] 超出范围（1 ~ %2），请重新输入</source>
        <translation>Reference encoder resolution [ %1 ] is out of range (1 ~ %2); please enter it again</translation>
    </message>
    <message>
        <source>对拖编码器线数不能为0,请重新输入</source>
        <translation>Reference encoder lines cannot be 0, please re-enter</translation>
    </message>
    <message>
        <source>对零</source>
        <translation>Zero</translation>
    </message>
    <message>
        <source>对零 &amp; 校准 &amp; 测试</source>
        <translation>Zero &amp; Calibrate &amp; Test</translation>
    </message>
    <message>
        <source>对零失败。</source>
        <translation>Zeroing failed.</translation>
    </message>
    <message>
        <source>对零失败，对零后角度：[ 0x%1 ] ,浮点角度：[ %2 °]</source>
        <translation>Zeroing failed, angle after zeroing: [ 0x%1 ] , float angle: [ %2 °]</translation>
    </message>
    <message>
        <source>对零完毕。</source>
        <translation>Zeroing complete.</translation>
    </message>
    <message>
        <source>对零成功，对零后角度：[ 0x%1 ] ,浮点角度：[ %2 °]</source>
        <translation>Zeroing succeeded, angle after zeroing: [ 0x%1 ] , float angle: [ %2 °]</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>导出报告</source>
        <translation>Export report</translation>
    </message>
    <message>
        <source>导出数据</source>
        <translation>Export Data</translation>
    </message>
    <message>
        <source>导出数据 (CSV)...</source>
        <translation>Export Data (CSV)...</translation>
    </message>
    <message>
        <source>尚未读取从机</source>
        <translation>No slave read yet</translation>
    </message>
    <message>
        <source>尝试连接第 %1次...</source>
        <translation>Connection attempt %1...</translation>
    </message>
    <message>
        <source>工位</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>工作区</source>
        <translation>Workspace</translation>
    </message>
    <message>
        <source>工装判定：</source>
        <translation>Rig verdict: </translation>
    </message>
    <message>
        <source>已连接：</source>
        <translation>Connected: </translation>
    </message>
    <message>
        <source>序列号</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>应为 %1 项</source>
        <translation>must have %1 entries</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>开始Master通信模式...</source>
        <translation>Starting master mode...</translation>
    </message>
    <message>
        <source>开始对零...</source>
        <translation>Starting zeroing...</translation>
    </message>
    <message>
        <source>开始校准...</source>
        <translation>Starting calibration...</translation>
    </message>
    <message>
        <source>开始测试...</source>
        <translation>Starting test...</translation>
    </message>
    <message>
        <source>开始获取Master状态...</source>
        <translation>Reading master status...</translation>
    </message>
    <message>
        <source>开始设置Master参数...</source>
        <translation>Setting master parameters...</translation>
    </message>
    <message>
        <source>开始设置从机使能状态...[%1]</source>
        <translation>Setting slave enable...[%1]</translation>
    </message>
    <message>
        <source>当前传输进度：</source>
        <translation>Transfer progress: </translation>
    </message>
    <message>
        <source>当前变换模式与设备一致，无需设置</source>
        <translation>Link mode already matches the device; nothing to set</translation>
    </message>
    <message>
        <source>当前校准速度为 [ %1 ] RPM，设备反馈自校准失败，请检查校准环境。</source>
        <translation>Calibration speed [ %1 ] RPM: the device reports self-calibration failed; check the calibration setup.</translation>
    </message>
    <message>
        <source>当前校准速度为 [ %1 ] RPM，设备反馈自校准成功。</source>
        <translation>Calibration speed [ %1 ] RPM: the device reports self-calibration succeeded.</translation>
    </message>
    <message>
        <source>当前设备ID： [ %1 ] ，未知设备。</source>
        <translation>Device ID: [ %1 ] , unknown device.</translation>
    </message>
    <message>
        <source>当前轴号：</source>
        <translation>Axis: </translation>
    </message>
    <message>
        <source>当前连接从机设备型号：</source>
        <translation>Connected slave model:</translation>
    </message>
    <message>
        <source>打开 [ </source>
        <translation>Port [ </translation>
    </message>
    <message>
        <source>打开固件</source>
        <translation>Open Firmware</translation>
    </message>
    <message>
        <source>打开失败。</source>
        <translation> could not be opened.</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>打开文件 [ %1 ] 失败</source>
        <translation>Opening file [ %1 ] failed</translation>
    </message>
    <message>
        <source>扫描串口</source>
        <translation>Scan Ports</translation>
    </message>
    <message>
        <source>报告已保存：</source>
        <translation>Report saved: </translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>插入</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>握手成功！</source>
        <translation>Handshake succeeded!</translation>
    </message>
    <message>
        <source>数据已停止更新，最后读取时间：</source>
        <translation>Data no longer updated; last read at </translation>
    </message>
    <message>
        <source>数据：</source>
        <translation>Data:</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>文件 [ %1 ] 已存在</source>
        <translation>File [ %1 ] exists</translation>
    </message>
    <message>
        <source>文件已全部读取完毕</source>
        <translation>File read completely</translation>
    </message>
    <message>
        <source>文件： </source>
        <translation>File: </translation>
    </message>
    <message>
        <source>文本</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>断开</source>
        <translation>Disable</translation>
    </message>
    <message>
        <source>新建固件</source>
        <translation>New Firmware</translation>
    </message>
    <message>
        <source>新文件</source>
        <translation>New File</translation>
    </message>
    <message>
        <source>旋变增量分辨率，电机极对数设置与霍尔信号使能。</source>
        <translation>Resolver incremental resolution, motor pole pairs and Hall output enable.</translation>
    </message>
    <message>
        <source>旋变设置</source>
        <translation>Resolver Settings</translation>
    </message>
    <message>
        <source>无数据</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>无法导出报告</source>
        <translation>Cannot export the report</translation>
    </message>
    <message>
        <source>曲线拟合对比</source>
        <translation>Curve Fit Comparison</translation>
    </message>
    <message>
        <source>曲线拟合对比（未收到傅里叶系数）</source>
        <translation>Curve Fit Comparison (no Fourier coefficients received)</translation>
    </message>
    <message>
        <source>更新固件</source>
        <translation>Updating firmware</translation>
    </message>
    <message>
        <source>最佳直线</source>
        <translation>Best line</translation>
    </message>
    <message>
        <source>最佳直线法</source>
        <translation>Best-Line Method</translation>
    </message>
    <message>
        <source>最大INL</source>
        <translation>Maximum INL</translation>
    </message>
    <message>
        <source>最大INL与INL阈值</source>
        <translation>Maximum INL against the INL limit</translation>
    </message>
    <message>
        <source>最大INL：</source>
        <translation>Max INL:</translation>
    </message>
    <message>
        <source>最终校验</source>
        <translation>Final check</translation>
    </message>
    <message>
        <source>最终检查</source>
        <translation>Final check</translation>
    </message>
    <message>
        <source>最近打开</source>
        <translation>Open Recent</translation>
    </message>
    <message>
        <source>最高权限：</source>
        <translation>Highest permission: </translation>
    </message>
    <message>
        <source>未找到</source>
        <translation>Not found</translation>
    </message>
    <message>
        <source>未连接</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>本记录没有测量曲线：运行未完成或失败，没有可报告的INL数据。报告只含运行参数与判定。</source>
        <translation>This record holds no measured curves: the run did not finish or failed, so there is no INL data to report. The report holds only the run parameters and the verdict.</translation>
    </message>
    <message>
        <source>权限</source>
        <translation>Permission</translation>
    </message>
    <message>
        <source>权限由系统策略限定：</source>
        <translation>The permission is limited by the system policy: </translation>
    </message>
    <message>
        <source>权限设置</source>
        <translation>Permission Settings</translation>
    </message>
    <message>
        <source>极对数：</source>
        <translation>Pole pairs:</translation>
    </message>
    <message>
        <source>查找：十六进制字节或文本</source>
        <translation>Find: hex bytes or text</translation>
    </message>
    <message>
        <source>校准</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>校准/</source>
        <translation>Calibration/</translation>
    </message>
    <message>
        <source>校准INL数据</source>
        <translation>Calibration INL Data</translation>
    </message>
    <message>
        <source>校准前</source>
        <translation>Before calibration</translation>
    </message>
    <message>
        <source>校准参考点数量 [ %1 ] 无效，可选：%2，请重新选择</source>
        <translation>Number of reference points [ %1 ] is not valid (choose from %2); please select again</translation>
    </message>
    <message>
        <source>校准参考点数量不能为0,请重新输入</source>
        <translation>Reference points cannot be 0, please re-enter</translation>
    </message>
    <message>
        <source>校准后INL:</source>
        <translation>INL after calibration:</translation>
    </message>
    <message>
        <source>校准失败。</source>
        <translation>Calibration failed.</translation>
    </message>
    <message>
        <source>校准完毕。</source>
        <translation>Calibration complete.</translation>
    </message>
    <message>
        <source>校准工装上的当前任务将中断，本次结果不会保存。</source>
        <translation>The rig&apos;s current job will be interrupted and this run&apos;s results will not be kept.</translation>
    </message>
    <message>
        <source>校准开始...</source>
        <translation>Calibration started...</translation>
    </message>
    <message>
        <source>校准效果验证失败，校准后最大INL：[ %1 °] ,设定最大INL：[ %2 °]</source>
        <translation>Calibration check failed, max INL after calibration: [ %1 °] , max INL limit: [ %2 °]</translation>
    </message>
    <message>
        <source>校准效果验证成功，校准后最大INL：[ %1 °] ,设定最大INL：[ %2 °]</source>
        <translation>Calibration check passed, max INL after calibration: [ %1 °] , max INL limit: [ %2 °]</translation>
    </message>
    <message>
        <source>校准结果</source>
        <translation>Calibration Result</translation>
    </message>
    <message>
        <source>校准速度</source>
        <translation>Calibration speed</translation>
    </message>
    <message>
        <source>校准速度 [ %1 ] RPM 超出范围（1 ~ %2），请重新选择</source>
        <translation>Calibration speed [ %1 ] RPM is out of range (1 ~ %2); please select again</translation>
    </message>
    <message>
        <source>校准速度不能为0,请重新输入</source>
        <translation>Calibration speed cannot be 0, please re-enter</translation>
    </message>
    <message>
        <source>校准速度：</source>
        <translation>Calibration speed:</translation>
    </message>
    <message>
        <source>校验NLC校准效果...</source>
        <translation>Checking NLC calibration...</translation>
    </message>
    <message>
        <source>校验校准效果...</source>
        <translation>Checking calibration...</translation>
    </message>
    <message>
        <source>校验自校准效果 并计算NLC查找表...</source>
        <translation>Checking self-calibration and computing the NLC table...</translation>
    </message>
    <message>
        <source>模式:</source>
        <translation>Mode:</translation>
    </message>
    <message>
        <source>正在查询翻译服务...</source>
        <translation>Asking the translation service...</translation>
    </message>
    <message>
        <source>正在获取...</source>
        <translation>Reading...</translation>
    </message>
    <message>
        <source>正在获取从机ID...</source>
        <translation>Reading slave ID...</translation>
    </message>
    <message>
        <source>正在获取从机通信模式...</source>
        <translation>Reading slave mode...</translation>
    </message>
    <message>
        <source>正在设置从机使能...</source>
        <translation>Setting slave enable...</translation>
    </message>
    <message>
        <source>正在设置从机通信模式...</source>
        <translation>Setting slave mode...</translation>
    </message>
    <message>
        <source>正在设置分辨率与极对数</source>
        <translation>Setting resolution and pole pairs</translation>
    </message>
    <message>
        <source>正在设置变换模式...</source>
        <translation>Setting link mode...</translation>
    </message>
    <message>
        <source>正在设置多圈与单圈位数...</source>
        <translation>Setting multi-turn and single-turn bits...</translation>
    </message>
    <message>
        <source>正在读取分辨率、极对数，关闭霍尔信号输出。</source>
        <translation>Reading resolution and pole pairs, turning Hall output off.</translation>
    </message>
    <message>
        <source>正在连接设备: [</source>
        <translation>Connecting to device: [</translation>
    </message>
    <message>
        <source>此功能仅适用于BISS通信状态下!</source>
        <translation>This function works only in BiSS mode!</translation>
    </message>
    <message>
        <source>比较</source>
        <translation>Comparison</translation>
    </message>
    <message>
        <source>水印 [ %1 ] 长度必须为 %2 个字符，否则升级时无法识别固件型号</source>
        <translation>Watermark [ %1 ] must be %2 characters long, or the upgrade cannot identify the firmware model</translation>
    </message>
    <message>
        <source>水印:</source>
        <translation>Watermark:</translation>
    </message>
    <message>
        <source>没有使用该串口的权限：串口属于组</source>
        <translation>No permission to use this serial port: it belongs to the group</translation>
    </message>
    <message>
        <source>波特率:</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>波特率不能为空!!</source>
        <translation>Select a baud rate!!</translation>
    </message>
    <message>
        <source>测试</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>测试INL数据</source>
        <translation>Test INL Data</translation>
    </message>
    <message>
        <source>测试后INL:</source>
        <translation>INL after test:</translation>
    </message>
    <message>
        <source>测试后INL（平均）</source>
        <translation>INL after the tests (mean)</translation>
    </message>
    <message>
        <source>测试失败。</source>
        <translation>Test failed.</translation>
    </message>
    <message>
        <source>测试完毕。</source>
        <translation>Test complete.</translation>
    </message>
    <message>
        <source>测试结果</source>
        <translation>Test Result</translation>
    </message>
    <message>
        <source>测试速度</source>
        <translation>Test speeds</translation>
    </message>
    <message>
        <source>测试速度 (rpm)</source>
        <translation>Test speed (rpm)</translation>
    </message>
    <message>
        <source>测试速度 [ %1 ] RPM 超出范围（1 ~ %2），请重新选择</source>
        <translation>Test speed [ %1 ] RPM is out of range (1 ~ %2); please select again</translation>
    </message>
    <message>
        <source>测试速度不能为0,请重新输入</source>
        <translation>Test speed cannot be 0, please re-enter</translation>
    </message>
    <message>
        <source>测试验证失败，测试平均最大INL：[ %1 °] ,设定最大INL：[ %2 °]</source>
        <translation>Test check failed, average max INL: [ %1 °] , max INL limit: [ %2 °]</translation>
    </message>
    <message>
        <source>测试验证成功，测试平均最大INL：[ %1 °] ,设定最大INL：[ %2 °]</source>
        <translation>Test check passed, average max INL: [ %1 °] , max INL limit: [ %2 °]</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>添加设备</source>
        <translation>Add Device</translation>
    </message>
    <message>
        <source>清除BiSS主机错误</source>
        <translation>Clear BiSS master errors</translation>
    </message>
    <message>
        <source>清除BiSS主机错误失败</source>
        <translation>Clearing BiSS master errors failed</translation>
    </message>
    <message>
        <source>清除BiSS主机错误成功</source>
        <translation>BiSS master errors cleared</translation>
    </message>
    <message>
        <source>清除BiSS从机错误</source>
        <translation>Clear BiSS slave errors</translation>
    </message>
    <message>
        <source>清除BiSS从机错误失败。</source>
        <translation>Clearing BiSS slave errors failed.</translation>
    </message>
    <message>
        <source>清除BiSS从机错误成功。</source>
        <translation>BiSS slave errors cleared.</translation>
    </message>
    <message>
        <source>清除主控故障状态失败</source>
        <translation>Clearing the master faults failed</translation>
    </message>
    <message>
        <source>清除主控故障状态成功</source>
        <translation>Master faults cleared</translation>
    </message>
    <message>
        <source>清除失败。</source>
        <translation>Clearing failed.</translation>
    </message>
    <message>
        <source>清除完毕。</source>
        <translation>Cleared.</translation>
    </message>
    <message>
        <source>清除错误</source>
        <translation>Clear Errors</translation>
    </message>
    <message>
        <source>版本 [ %1 ] 长度必须为 %2 个字符，否则升级时无法识别固件版本</source>
        <translation>Version [ %1 ] must be %2 characters long, or the upgrade cannot identify the firmware version</translation>
    </message>
    <message>
        <source>版本:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>用户</source>
        <translation>User</translation>
    </message>
    <message>
        <source>电压:</source>
        <translation>Voltage:</translation>
    </message>
    <message>
        <source>电池警告</source>
        <translation>Battery warning</translation>
    </message>
    <message>
        <source>电池错误</source>
        <translation>Battery error</translation>
    </message>
    <message>
        <source>目标 INL:</source>
        <translation>Target INL:</translation>
    </message>
    <message>
        <source>确定停止该任务并退出吗？</source>
        <translation>Stop this job and quit?</translation>
    </message>
    <message>
        <source>确定退出吗？</source>
        <translation>Quit anyway?</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>确认保存地址...</source>
        <translation>Checking the save path...</translation>
    </message>
    <message>
        <source>禁用</source>
        <translation>Disable</translation>
    </message>
    <message>
        <source>程序</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>程序重启失败，请手动重新启动</source>
        <translation>Restart failed; please start the program again by hand</translation>
    </message>
    <message>
        <source>第 %1 页，共 %2 页</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>第 [ %1 ] 次测试开始...</source>
        <translation>Test [ %1 ] started...</translation>
    </message>
    <message>
        <source>第一次</source>
        <translation>Test 1</translation>
    </message>
    <message>
        <source>第一次测试</source>
        <translation>Test 1</translation>
    </message>
    <message>
        <source>第三次</source>
        <translation>Test 3</translation>
    </message>
    <message>
        <source>第三次测试</source>
        <translation>Test 3</translation>
    </message>
    <message>
        <source>第二次</source>
        <translation>Test 2</translation>
    </message>
    <message>
        <source>第二次测试</source>
        <translation>Test 2</translation>
    </message>
    <message>
        <source>第四次</source>
        <translation>Test 4</translation>
    </message>
    <message>
        <source>第四次测试</source>
        <translation>Test 4</translation>
    </message>
    <message>
        <source>管理员</source>
        <translation>Administrator</translation>
    </message>
    <message>
        <source>粗校准</source>
        <translation>Coarse calibration</translation>
    </message>
    <message>
        <source>精校准</source>
        <translation>Fine calibration</translation>
    </message>
    <message>
        <source>系统策略不允许该权限</source>
        <translation>The system policy does not allow this permission</translation>
    </message>
    <message>
        <source>累计传输错误: [ %1 ] 次</source>
        <translation>Transfer errors: [ %1 ]</translation>
    </message>
    <message>
        <source>结束指令发送成功。</source>
        <translation>End command sent.</translation>
    </message>
    <message>
        <source>编码器型号</source>
        <translation>Encoder model</translation>
    </message>
    <message>
        <source>编码器型号:</source>
        <translation>Encoder model:</translation>
    </message>
    <message>
        <source>编码器将停留在Boot模式，直到下一次升级完成。</source>
        <translation>The encoder will stay in its boot loader until the next upgrade completes.</translation>
    </message>
    <message>
        <source>编码器校准报告</source>
        <translation>Encoder calibration report</translation>
    </message>
    <message>
        <source>编码器测试报告</source>
        <translation>Encoder test report</translation>
    </message>
    <message>
        <source>编码器误差分析</source>
        <translation>Encoder Error Analysis</translation>
    </message>
    <message>
        <source>编码器读数</source>
        <translation>Encoder reading</translation>
    </message>
    <message>
        <source>网络连接失败，请检查网络连接</source>
        <translation type="vanished">Network connection failed; check the network connection</translation>
    </message>
    <message>
        <source>翻译服务无法连接，其他语言暂不可选。</source>
        <translation>Translation service unreachable; other languages are not available.</translation>
    </message>
    <message>
        <source>自校准</source>
        <translation>Self-calibration</translation>
    </message>
    <message>
        <source>获取BiSS从机数据</source>
        <translation>Read BiSS slave data</translation>
    </message>
    <message>
        <source>获取BiSS从机数据失败。</source>
        <translation>Reading BiSS slave data failed.</translation>
    </message>
    <message>
        <source>获取BiSS从机数据成功。</source>
        <translation>BiSS slave data read.</translation>
    </message>
    <message>
        <source>获取BiSS从机状态</source>
        <translation>Read BiSS slave status</translation>
    </message>
    <message>
        <source>获取BiSS从机状态失败。</source>
        <translation>Reading BiSS slave status failed.</translation>
    </message>
    <message>
        <source>获取BiSS从机状态成功。</source>
        <translation>BiSS slave status read.</translation>
    </message>
    <message>
        <source>获取Master失败。</source>
        <translation>Reading master failed.</translation>
    </message>
    <message>
        <source>获取Master成功。</source>
        <translation>Master read.</translation>
    </message>
    <message>
        <source>获取Master状态</source>
        <translation>Read master status</translation>
    </message>
    <message>
        <source>获取Master状态失败，请检查设备连接是否正常！</source>
        <translation>Reading master status failed; check the device connection!</translation>
    </message>
    <message>
        <source>获取Master状态成功</source>
        <translation>Master status read</translation>
    </message>
    <message>
        <source>获取NLC校准效果数据完成</source>
        <translation>NLC calibration check data received</translation>
    </message>
    <message>
        <source>获取从机ID失败，CRC校验错误！</source>
        <translation>Reading slave ID failed: CRC error!</translation>
    </message>
    <message>
        <source>获取从机ID成功</source>
        <translation>Slave ID read</translation>
    </message>
    <message>
        <source>获取从机寄存器数据失败，CRC校验错误！</source>
        <translation>Reading slave register data failed: CRC error!</translation>
    </message>
    <message>
        <source>获取从机寄存器数据成功</source>
        <translation>Slave register data read</translation>
    </message>
    <message>
        <source>获取从机通信模式失败！</source>
        <translation>Reading slave mode failed!</translation>
    </message>
    <message>
        <source>获取从机通信模式成功</source>
        <translation>Slave mode read</translation>
    </message>
    <message>
        <source>获取从机通信模式成功！当前通信模式： %1</source>
        <translation>Slave mode read! Current mode: %1</translation>
    </message>
    <message>
        <source>获取升级固件数据...</source>
        <translation>Reading upgrade firmware data...</translation>
    </message>
    <message>
        <source>获取失败。</source>
        <translation>Read failed.</translation>
    </message>
    <message>
        <source>获取完毕。</source>
        <translation>Read complete.</translation>
    </message>
    <message>
        <source>获取对零后角度失败，请检查设备连接是否正常！</source>
        <translation>Reading the angle after zeroing failed; check the device connection!</translation>
    </message>
    <message>
        <source>获取校准前设备INL数据...</source>
        <translation>Reading INL data before calibration...</translation>
    </message>
    <message>
        <source>获取校准前设备INL数据完成</source>
        <translation>INL data before calibration received</translation>
    </message>
    <message>
        <source>获取校准效果数据失败，请检查设备连接是否正常！</source>
        <translation>Reading calibration check data failed; check the device connection!</translation>
    </message>
    <message>
        <source>获取校准效果数据完成</source>
        <translation>Calibration check data received</translation>
    </message>
    <message>
        <source>获取校准数据失败，请检查设备连接是否正常！</source>
        <translation>Reading calibration data failed; check the device connection!</translation>
    </message>
    <message>
        <source>获取校准结果...</source>
        <translation>Reading calibration result...</translation>
    </message>
    <message>
        <source>获取校准结果失败，请检查设备连接是否正常！</source>
        <translation>Reading calibration result failed; check the device connection!</translation>
    </message>
    <message>
        <source>获取测试数据失败，请检查设备连接是否正常！</source>
        <translation>Reading test data failed; check the device connection!</translation>
    </message>
    <message>
        <source>获取第 [%1] 次测试设备INL数据...</source>
        <translation>Reading INL data of test [%1]...</translation>
    </message>
    <message>
        <source>获取第 [%1] 次测试设备INL数据完成</source>
        <translation>INL data of test [%1] received</translation>
    </message>
    <message>
        <source>获取粗校准数据...</source>
        <translation>Reading coarse calibration data...</translation>
    </message>
    <message>
        <source>获取粗校准数据失败，请检查设备连接是否正常！</source>
        <translation>Reading coarse calibration data failed; check the device connection!</translation>
    </message>
    <message>
        <source>获取粗校准数据完成</source>
        <translation>Coarse calibration data received</translation>
    </message>
    <message>
        <source>获取精校准数据...</source>
        <translation>Reading fine calibration data...</translation>
    </message>
    <message>
        <source>获取精校准数据失败，请检查设备连接是否正常！</source>
        <translation>Reading fine calibration data failed; check the device connection!</translation>
    </message>
    <message>
        <source>获取精校准数据完成</source>
        <translation>Fine calibration data received</translation>
    </message>
    <message>
        <source>获取自校准效果数据失败，请检查设备连接是否正常！</source>
        <translation>Reading self-calibration check data failed; check the device connection!</translation>
    </message>
    <message>
        <source>获取自校准效果数据完成</source>
        <translation>Self-calibration check data received</translation>
    </message>
    <message>
        <source>获取自校准数据...</source>
        <translation>Reading self-calibration data...</translation>
    </message>
    <message>
        <source>获取自校准数据失败，请检查设备连接是否正常！</source>
        <translation>Reading self-calibration data failed; check the device connection!</translation>
    </message>
    <message>
        <source>获取设备ID...</source>
        <translation>Reading device ID...</translation>
    </message>
    <message>
        <source>获取设备ID失败，请检查设备连接是否正常！</source>
        <translation>Reading device ID failed; check the device connection!</translation>
    </message>
    <message>
        <source>获取设备ID成功！ 设备名称：[ %1 ]，设备ID：[ %2 ]</source>
        <translation>Device ID read! Device name: [ %1 ], device ID: [ %2 ]</translation>
    </message>
    <message>
        <source>获取设备型号...</source>
        <translation>Reading device model...</translation>
    </message>
    <message>
        <source>获取设备型号失败！</source>
        <translation>Reading device model failed!</translation>
    </message>
    <message>
        <source>获取设备型号成功。</source>
        <translation>Device model read.</translation>
    </message>
    <message>
        <source>获取设备数据失败，请检查设备连接是否正常！</source>
        <translation>Reading device data failed; check the device connection!</translation>
    </message>
    <message>
        <source>获取设备状态...</source>
        <translation>Reading device status...</translation>
    </message>
    <message>
        <source>获取设备状态失败。</source>
        <translation>Reading device status failed.</translation>
    </message>
    <message>
        <source>获取设备状态成功，当前设备处于[%1 ] 状态。</source>
        <translation>Device status read: device is in [%1 ] state.</translation>
    </message>
    <message>
        <source>覆盖</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>角度置零,校准,校准效果测试。</source>
        <translation>Zeroing, calibration and calibration check.</translation>
    </message>
    <message>
        <source>角度误差</source>
        <translation>Angle error</translation>
    </message>
    <message>
        <source>角度误差分布</source>
        <translation>Angle Error Distribution</translation>
    </message>
    <message>
        <source>角度误差分布(Max INL:%1°)</source>
        <translation>Angle Error Distribution (Max INL: %1°)</translation>
    </message>
    <message>
        <source>角度误差曲线</source>
        <translation>Angle Error Curve</translation>
    </message>
    <message>
        <source>角度误差曲线(Max INL:%1°)</source>
        <translation>Angle Error Curve (Max INL: %1°)</translation>
    </message>
    <message>
        <source>角度错误</source>
        <translation>Angle error</translation>
    </message>
    <message>
        <source>角度（°）</source>
        <translation>Angle (°)</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>警告,是否保存更改?</source>
        <translation>Warning: save the changes?</translation>
    </message>
    <message>
        <source>警告标志</source>
        <translation>Error flag</translation>
    </message>
    <message>
        <source>记录数据 SHA-256：</source>
        <translation>Record data SHA-256: </translation>
    </message>
    <message>
        <source>记录编号</source>
        <translation>Record ID</translation>
    </message>
    <message>
        <source>记录编号：</source>
        <translation>Record ID: </translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>设备 [ %1 ] 在配置文件中没有分区配置组 [%1]，无法生成固件，请检查配置文件。</source>
        <translation>Device [ %1 ] has no flash area group [%1] in the configuration file; the firmware cannot be generated. Please check the configuration file.</translation>
    </message>
    <message>
        <source>设备 [ %1 ] 的分区配置 %2 长度 [ %3 ] 无效（1 ~ %4 Byte），请检查配置文件。</source>
        <translation>Device [ %1 ]: the %2 area length [ %3 ] is not valid (1 ~ %4 Byte). Please check the configuration file.</translation>
    </message>
    <message>
        <source>设备 [ %1 ] 的分辨率配置 Resolution = %2 超出 0..30 的范围，请检查配置文件。</source>
        <translation>Resolution setting of device [ %1 ] Resolution = %2 is outside 0..30; check the configuration file.</translation>
    </message>
    <message>
        <source>设备ID:</source>
        <translation>Device ID:</translation>
    </message>
    <message>
        <source>设备ID重复</source>
        <translation>Device ID already in use</translation>
    </message>
    <message>
        <source>设备上正在进行的操作将被中断。</source>
        <translation>The operation running on the device will be interrupted.</translation>
    </message>
    <message>
        <source>设备名称:</source>
        <translation>Device name:</translation>
    </message>
    <message>
        <source>设备名称包含特殊字符</source>
        <translation>The device name contains special characters</translation>
    </message>
    <message>
        <source>设备名称重复</source>
        <translation>Device name already in use</translation>
    </message>
    <message>
        <source>设备名称长度必须为11位字符</source>
        <translation>The device name must be 11 characters long</translation>
    </message>
    <message>
        <source>设备型号:</source>
        <translation>Device model:</translation>
    </message>
    <message>
        <source>设备正忙，操作未执行，请稍后重试。</source>
        <translation>The device is busy; the operation was not carried out. Please try again.</translation>
    </message>
    <message>
        <source>设备类型:</source>
        <translation>Device type:</translation>
    </message>
    <message>
        <source>设备类型不能为空!!</source>
        <translation>Select a device type!!</translation>
    </message>
    <message>
        <source>设备类型匹配失败，请修改设备类型为：</source>
        <translation>Device type mismatch; set the device type to: </translation>
    </message>
    <message>
        <source>设备类型匹配成功。</source>
        <translation>Device type matches.</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Setup</translation>
    </message>
    <message>
        <source>设置BiSS从机使能</source>
        <translation>Set BiSS slave enable</translation>
    </message>
    <message>
        <source>设置BiSS从机使能状态失败。</source>
        <translation>Setting BiSS slave enable failed.</translation>
    </message>
    <message>
        <source>设置BiSS从机使能状态成功。</source>
        <translation>BiSS slave enable set.</translation>
    </message>
    <message>
        <source>设置BiSS从机状态</source>
        <translation>Set BiSS slave mode</translation>
    </message>
    <message>
        <source>设置BiSS从机状态失败。</source>
        <translation>Setting BiSS slave mode failed.</translation>
    </message>
    <message>
        <source>设置BiSS从机状态成功。重新使能后生效！！</source>
        <translation>BiSS slave mode set. Takes effect after re-enabling!!</translation>
    </message>
    <message>
        <source>设置Master失败。</source>
        <translation>Setting master failed.</translation>
    </message>
    <message>
        <source>设置Master成功。</source>
        <translation>Master set.</translation>
    </message>
    <message>
        <source>设置Master状态</source>
        <translation>Set master status</translation>
    </message>
    <message>
        <source>设置从机使能状态成功</source>
        <translation>Slave enable set</translation>
    </message>
    <message>
        <source>设置从机通信模式失败！</source>
        <translation>Setting slave mode failed!</translation>
    </message>
    <message>
        <source>设置从机通信模式成功</source>
        <translation>Slave mode set</translation>
    </message>
    <message>
        <source>设置从机通信模式成功！当前通信模式： %1 请断开编码器连接再重新连接，编码器将自动切换为新通信模式：%2</source>
        <translation>Slave mode set! Current mode: %1 Disconnect and reconnect the encoder; it then switches to the new mode: %2</translation>
    </message>
    <message>
        <source>设置分辨率与极对数失败</source>
        <translation>Setting resolution and pole pairs failed</translation>
    </message>
    <message>
        <source>设置分辨率与极对数成功</source>
        <translation>Resolution and pole pairs set</translation>
    </message>
    <message>
        <source>设置变换模式成功</source>
        <translation>Link mode set</translation>
    </message>
    <message>
        <source>设置多圈与单圈位数失败，指令错误！</source>
        <translation>Setting multi-turn and single-turn bits failed: command error!</translation>
    </message>
    <message>
        <source>设置多圈与单圈位数成功</source>
        <translation>Multi-turn and single-turn bits set</translation>
    </message>
    <message>
        <source>设置失败。</source>
        <translation>Setting failed.</translation>
    </message>
    <message>
        <source>设置完毕。</source>
        <translation>Setting complete.</translation>
    </message>
    <message>
        <source>设置完毕，重新使能后切换通信模式。</source>
        <translation>Set; the mode changes after re-enabling.</translation>
    </message>
    <message>
        <source>设置旋变分辨率与极对数</source>
        <translation>Set resolver resolution and pole pairs</translation>
    </message>
    <message>
        <source>设置校准速度...</source>
        <translation>Setting calibration speed...</translation>
    </message>
    <message>
        <source>设置测试速度...</source>
        <translation>Setting test speed...</translation>
    </message>
    <message>
        <source>询问</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>语言:</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>语言设置</source>
        <translation>Language Settings</translation>
    </message>
    <message>
        <source>误差曲线</source>
        <translation>Error Curve</translation>
    </message>
    <message>
        <source>请输入密码</source>
        <translation>Enter the password</translation>
    </message>
    <message>
        <source>请连接BiSS_C Master!</source>
        <translation>Connect the BiSS_C Master!</translation>
    </message>
    <message>
        <source>请连接校准工装</source>
        <translation>Connect the calibration rig</translation>
    </message>
    <message>
        <source>请连接设备</source>
        <translation>Connect the device</translation>
    </message>
    <message>
        <source>请选择Boot与App固件路径。</source>
        <translation>Choose the Boot and App firmware files.</translation>
    </message>
    <message>
        <source>请选择app固件</source>
        <translation>Choose the app firmware</translation>
    </message>
    <message>
        <source>请选择boot固件</source>
        <translation>Choose the boot firmware</translation>
    </message>
    <message>
        <source>请选择主机通信模式！</source>
        <translation>Choose the master mode!</translation>
    </message>
    <message>
        <source>请选择主机通信模式，注主机通信模式需与从机一致。</source>
        <translation>Choose the master mode; it must match the slave&apos;s.</translation>
    </message>
    <message>
        <source>请选择从机通信协议!</source>
        <translation>Choose the slave protocol!</translation>
    </message>
    <message>
        <source>请选择从机通信模式，注从机通信模式需与主机一致。</source>
        <translation>Choose the slave mode; it must match the master&apos;s.</translation>
    </message>
    <message>
        <source>请选择传输方式</source>
        <translation>Choose the transfer method</translation>
    </message>
    <message>
        <source>请选择升级固件</source>
        <translation>Choose the upgrade firmware</translation>
    </message>
    <message>
        <source>请选择模式</source>
        <translation>Choose the mode</translation>
    </message>
    <message>
        <source>请选择水印</source>
        <translation>Choose the watermark</translation>
    </message>
    <message>
        <source>请选择目标设备所在轴号</source>
        <translation>Choose the axis of the target device</translation>
    </message>
    <message>
        <source>请选择设备型号</source>
        <translation>Choose the device model</translation>
    </message>
    <message>
        <source>读取</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>读取 App 文件 [ %1 ] ...</source>
        <translation>Reading App file [ %1 ] ...</translation>
    </message>
    <message>
        <source>读取 BootLoader 文件 [ %1 ] ...</source>
        <translation>Reading BootLoader file [ %1 ] ...</translation>
    </message>
    <message>
        <source>读取BiSS从机寄存器</source>
        <translation>Read BiSS slave register</translation>
    </message>
    <message>
        <source>读取BiSS从机寄存器失败。</source>
        <translation>Reading BiSS slave register failed.</translation>
    </message>
    <message>
        <source>读取BiSS从机寄存器成功。</source>
        <translation>BiSS slave register read.</translation>
    </message>
    <message>
        <source>读取分辨率与极对数失败</source>
        <translation>Reading resolution and pole pairs failed</translation>
    </message>
    <message>
        <source>读取分辨率与极对数成功，重启后关闭霍尔信号输出</source>
        <translation>Resolution and pole pairs read; Hall output off after a restart</translation>
    </message>
    <message>
        <source>读取分辨率与极对数成功，重启后关闭霍尔输出</source>
        <translation>Resolution and pole pairs read; Hall output off after a restart</translation>
    </message>
    <message>
        <source>读取失败。</source>
        <translation>Read failed.</translation>
    </message>
    <message>
        <source>读取完毕。</source>
        <translation>Read complete.</translation>
    </message>
    <message>
        <source>读取文件失败</source>
        <translation type="vanished">Reading the file failed</translation>
    </message>
    <message>
        <source>读取旋变分辨率与极对数，关闭霍尔输出</source>
        <translation>Read resolver resolution and pole pairs, turn Hall output off</translation>
    </message>
    <message>
        <source>调试信息</source>
        <translation>Debug Log</translation>
    </message>
    <message>
        <source>调试员</source>
        <translation>Debugger</translation>
    </message>
    <message>
        <source>超出范围</source>
        <translation>Out of range</translation>
    </message>
    <message>
        <source>超速警告</source>
        <translation>Overspeed warning</translation>
    </message>
    <message>
        <source>超速错误</source>
        <translation>Overspeed error</translation>
    </message>
    <message>
        <source>跳转</source>
        <translation>Go</translation>
    </message>
    <message>
        <source>跳转到偏移：</source>
        <translation>Go to offset:</translation>
    </message>
    <message>
        <source>转速：</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>轴号:</source>
        <translation>Axis:</translation>
    </message>
    <message>
        <source>输入丢失</source>
        <translation>Input lost</translation>
    </message>
    <message>
        <source>输入削波</source>
        <translation>Input clipping</translation>
    </message>
    <message>
        <source>输入参数不能为空且极对数不能为0!</source>
        <translation>Inputs cannot be empty and pole pairs cannot be 0!</translation>
    </message>
    <message>
        <source>输入失配</source>
        <translation>Input mismatch</translation>
    </message>
    <message>
        <source>输入超量程</source>
        <translation>Input over range</translation>
    </message>
    <message>
        <source>达到或超出阈值</source>
        <translation>at or above the limit</translation>
    </message>
    <message>
        <source>运行</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>运行固件版本： V</source>
        <translation>Running firmware version: V</translation>
    </message>
    <message>
        <source>运行时间</source>
        <translation>Run time</translation>
    </message>
    <message>
        <source>进入Boot模式...</source>
        <translation>Entering Boot mode...</translation>
    </message>
    <message>
        <source>进入Boot模式，比对固件版本...</source>
        <translation>Entering Boot mode, comparing firmware versions...</translation>
    </message>
    <message>
        <source>进入Normal模式...</source>
        <translation>Entering Normal mode...</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>连接设备</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>连接设备型号： </source>
        <translation>Connected device model: </translation>
    </message>
    <message>
        <source>连续获取</source>
        <translation>Continuous</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>选中</source>
        <translation>Selected</translation>
    </message>
    <message>
        <source>选中的字节太多，无法放入剪贴板： </source>
        <translation>Too many bytes selected for the clipboard: </translation>
    </message>
    <message>
        <source>选择 App 固件</source>
        <translation>Choose the App Firmware</translation>
    </message>
    <message>
        <source>选择 BootLoader 固件</source>
        <translation>Choose the BootLoader Firmware</translation>
    </message>
    <message>
        <source>选择升级固件</source>
        <translation>Choose the Upgrade Firmware</translation>
    </message>
    <message>
        <source>选择固件</source>
        <translation>Choose Firmware</translation>
    </message>
    <message>
        <source>选择权限:</source>
        <translation>Permission:</translation>
    </message>
    <message>
        <source>通信失败。</source>
        <translation>Communication failed.</translation>
    </message>
    <message>
        <source>通信失败，请检查设备连接是否正常或验证主从通信协议是否一致！</source>
        <translation>Communication failed; check the device connection and that master and slave use the same protocol!</translation>
    </message>
    <message>
        <source>通信失败，请检查设备连接是否正常！</source>
        <translation>Communication failed; check the device connection!</translation>
    </message>
    <message>
        <source>通信失败：BiSS Busy!!!</source>
        <translation>Communication failed: BiSS Busy!!!</translation>
    </message>
    <message>
        <source>通信失败：BiSS CRC Error!!!</source>
        <translation>Communication failed: BiSS CRC Error!!!</translation>
    </message>
    <message>
        <source>通信失败：BiSS IDL Error!!!</source>
        <translation>Communication failed: BiSS IDL Error!!!</translation>
    </message>
    <message>
        <source>通信失败：BiSS No Data!!!</source>
        <translation>Communication failed: BiSS No Data!!!</translation>
    </message>
    <message>
        <source>通信失败：BiSS Stream Error!!!</source>
        <translation>Communication failed: BiSS Stream Error!!!</translation>
    </message>
    <message>
        <source>通信失败：BiSS Write Error!!!</source>
        <translation>Communication failed: BiSS Write Error!!!</translation>
    </message>
    <message>
        <source>通信完成。</source>
        <translation>Communication complete.</translation>
    </message>
    <message>
        <source>通信错误 &amp; 警告</source>
        <translation>Link Errors &amp; Warnings</translation>
    </message>
    <message>
        <source>通信错误和警告信息。(绿色为正常，红色为异常)</source>
        <translation>Link errors and warnings. (Green: normal, red: fault)</translation>
    </message>
    <message>
        <source>配置文件 [%1] %2 = %3 无效，已忽略：%4</source>
        <translation>Configuration file [%1] %2 = %3 is not valid and was ignored: %4</translation>
    </message>
    <message>
        <source>配置文件写入失败，设置未保存：</source>
        <translation>Writing the configuration file failed; the settings were not saved: </translation>
    </message>
    <message>
        <source>重传: </source>
        <translation>Resent: </translation>
    </message>
    <message>
        <source>重传: [ %1 ] 次</source>
        <translation>Retransmissions: [ %1 ]</translation>
    </message>
    <message>
        <source>锁相错误</source>
        <translation>Phase-lock error</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>错误标志</source>
        <translation>Error flag</translation>
    </message>
    <message>
        <source>长度</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>阶段</source>
        <translation>Phase</translation>
    </message>
    <message>
        <source>（未入库）</source>
        <translation>(not stored)</translation>
    </message>
    <message>
        <source>从</source>
        <translation>From</translation>
    </message>
    <message>
        <source>到</source>
        <translation>to</translation>
    </message>
    <message>
        <source>任务</source>
        <translation>Job</translation>
    </message>
    <message>
        <source>全部任务</source>
        <translation>All jobs</translation>
    </message>
    <message>
        <source>全部结果</source>
        <translation>All outcomes</translation>
    </message>
    <message>
        <source>只有校准和测试记录有曲线。</source>
        <translation>Only calibration and test records have curves.</translation>
    </message>
    <message>
        <source>失败</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>导出CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>导出失败：</source>
        <translation>Export failed: </translation>
    </message>
    <message>
        <source>已导出 %1 条记录</source>
        <translation>%1 records exported</translation>
    </message>
    <message>
        <source>已载入 %1 条记录</source>
        <translation>%1 records loaded</translation>
    </message>
    <message>
        <source>开始时间</source>
        <translation>Started</translation>
    </message>
    <message>
        <source>待转发记录：%1</source>
        <translation>Records waiting: %1</translation>
    </message>
    <message>
        <source>扫描或输入</source>
        <translation>Scan or type</translation>
    </message>
    <message>
        <source>无法创建记录文件夹：</source>
        <translation>Cannot create the records folder: </translation>
    </message>
    <message>
        <source>无法读取生产记录：</source>
        <translation>Cannot read the production records: </translation>
    </message>
    <message>
        <source>查询</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>正在导出...</source>
        <translation>Exporting...</translation>
    </message>
    <message>
        <source>正在查询...</source>
        <translation>Searching...</translation>
    </message>
    <message>
        <source>生产记录</source>
        <translation>Production records</translation>
    </message>
    <message>
        <source>生产记录保存失败：</source>
        <translation>The production record was not saved: </translation>
    </message>
    <message>
        <source>生产记录保存超时。</source>
        <translation>Saving the production record timed out.</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Outcome</translation>
    </message>
    <message>
        <source>结果说明</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>编码器序列号</source>
        <translation>Encoder serial number</translation>
    </message>
    <message>
        <source>编码器序列号:</source>
        <translation>Encoder serial number:</translation>
    </message>
    <message>
        <source>记录</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>记录写入线程已停止。</source>
        <translation>The record writer has stopped.</translation>
    </message>
    <message>
        <source>记录数据库的版本 [ %1 ] 比本程序支持的版本 [ %2 ] 新，请使用新版程序。</source>
        <translation>The records database has version [ %1 ], newer than this program supports ([ %2 ]); use a newer program.</translation>
    </message>
    <message>
        <source>请输入编码器序列号。</source>
        <translation>Please enter the encoder's serial number.</translation>
    </message>
    <message>
        <source>（滚动载入更多）</source>
        <translation> (scroll for more)</translation>
    </message>
</context>
</TS>
